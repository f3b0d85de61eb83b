#include "grid/exchange/xlsaddress.h"

#include <climits>

namespace {

constexpr int WholeRowColumns = 256;
constexpr long long LargestColumn = 1000000;  // as many as a grid holds
constexpr long long LargestRow = INT_MAX;

bool IsLetter(char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z'); }
int LetterValue(char C) { return (C >= 'a' ? C - 'a' : C - 'A') + 1; }

// A row number: digits only, at least 1; -1 otherwise.
int RowNumber(std::string_view S) {
  if (S.empty()) return -1;
  long long V = 0;
  for (char C : S) {
    if (C < '0' || C > '9') return -1;
    V = V * 10 + (C - '0');
    if (V > LargestRow) return -1;
  }
  return V >= 1 ? static_cast<int>(V) : -1;
}

// One corner: "$"? letters "$"? digits. Col or Row stay -1 where missing.
void ParseCell(std::string_view S, int& Col, int& Row) {
  Col = Row = -1;
  if (!S.empty() && S.front() == '$') S.remove_prefix(1);
  std::size_t N = 0;
  while (N < S.size() && IsLetter(S[N])) ++N;
  Col = XLSLetterColumn(S.substr(0, N));
  S.remove_prefix(N);
  if (!S.empty() && S.front() == '$') S.remove_prefix(1);
  Row = RowNumber(S);
}

}  // namespace

AnsiString XLSColumnLetters(int Col) {
  AnsiString S;
  for (long long N = Col; N > 0; N = (N - 1) / 26) S.insert(S.begin(), static_cast<char>('A' + (N - 1) % 26));
  return S;
}

int XLSLetterColumn(std::string_view Letters) {
  if (Letters.empty()) return -1;
  long long V = 0;
  for (char C : Letters) {
    if (!IsLetter(C)) return -1;
    V = V * 26 + LetterValue(C);
    if (V > LargestColumn) return -1;
  }
  return static_cast<int>(V);
}

TXLSArea ParseXLSAddress(std::string_view Address) {
  TXLSArea A;
  const std::size_t Colon = Address.find(':');
  if (Colon == std::string_view::npos) {
    ParseCell(Address, A.Left, A.Top);
    A.Right = A.Left;
    A.Bottom = A.Top;
    return A;
  }
  std::string_view First = Address.substr(0, Colon), Second = Address.substr(Colon + 1, 255);
  if (!First.empty() && First.front() == '$') First.remove_prefix(1);
  if (!Second.empty() && Second.front() == '$') Second.remove_prefix(1);
  if (First.find('$') == std::string_view::npos && (First.empty() || !IsLetter(First.front()))) {
    // Whole rows: "$2:$5".
    A.Left = 1;
    A.Right = WholeRowColumns;
    A.Top = RowNumber(First);
    A.Bottom = RowNumber(Second);
    return A;
  }
  ParseCell(First, A.Left, A.Top);
  ParseCell(Second, A.Right, A.Bottom);
  return A;
}
