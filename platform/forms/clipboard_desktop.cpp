// The desktop side of the clipboard. Our formats travel as MIME types:
// CF_TEXT as text/plain (UTF-8), "Rich Text Format" as text/rtf, "HTML
// Format" as text/html (the document between its StartHTML and EndHTML
// offsets) and every registered name as a private type carrying the bytes
// unchanged, "HTML Format" included, so another instance reads back the
// full text with its offsets.
#include <QByteArray>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>
#include <QUrl>
#include <unistd.h>

#include <atomic>

#include "platform/forms/clipbrd_internal.h"
#include "platform/forms/clipbrd_testing.h"

namespace {

const char* const PrivatePrefix = "application/x-yunt-format.";
// Names the content we gave last, so that we know it when it comes back.
const char* const MarkType = "application/x-yunt-clipboard-mark";
std::atomic<unsigned> gSerial{0};

QClipboard* Desktop() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

QByteArray Mark(unsigned Serial) { return QByteArray::number(static_cast<qlonglong>(getpid())) + ":" + QByteArray::number(Serial); }

QByteArray Bytes(const std::vector<Byte>& V) {
  return QByteArray(reinterpret_cast<const char*>(V.data()), static_cast<qsizetype>(V.size()));
}
std::vector<Byte> Bytes(const QByteArray& A) { return std::vector<Byte>(A.begin(), A.end()); }

// Up to the first zero: text formats from the system carry one.
QByteArray UpToZero(const std::vector<Byte>& V) {
  QByteArray A = Bytes(V);
  if (qsizetype Z = A.indexOf('\0'); Z >= 0) A.truncate(Z);
  return A;
}

QString PrivateType(const AnsiString& Name) {
  return QString::fromLatin1(PrivatePrefix) +
         QString::fromLatin1(QUrl::toPercentEncoding(QString::fromUtf8(Name.data(), static_cast<qsizetype>(Name.size()))));
}

}  // namespace

void DesktopGive(const TClipContent& Content) {
  QClipboard* Q = Desktop();
  if (!Q) return;
  auto* M = new QMimeData;
  const UINT Rtf = RegisterClipboardFormatA("Rich Text Format");
  const UINT Html = RegisterClipboardFormatA("HTML Format");
  for (const auto& [Format, Data] : Content) {
    if (Format == CF_TEXT) {
      M->setText(QString::fromUtf8(UpToZero(Data)));
      continue;
    }
    if (Format == Rtf) {
      M->setData(QStringLiteral("text/rtf"), UpToZero(Data));
      continue;
    }
    if (Format == Html) {
      std::size_t Start = 0, End = 0;
      HTMLFormatDocument(Data, Start, End);
      const QByteArray All = Bytes(Data);
      M->setData(QStringLiteral("text/html"), All.mid(static_cast<qsizetype>(Start), static_cast<qsizetype>(End - Start)));
    }
    const AnsiString Name = ClipboardFormatName(Format);
    if (!Name.empty()) M->setData(PrivateType(Name), Bytes(Data));
  }
  M->setData(QString::fromLatin1(MarkType), Mark(++gSerial));
  Q->setMimeData(M);
}

bool DesktopTake(TClipContent& Content) {
  QClipboard* Q = Desktop();
  if (!Q) return false;
  const QMimeData* M = Q->mimeData();
  if (!M) return false;
  if (gSerial != 0 && M->data(QString::fromLatin1(MarkType)) == Mark(gSerial)) return false;
  Content.clear();
  const QString Prefix = QString::fromLatin1(PrivatePrefix);
  for (const QString& Type : M->formats()) {
    if (!Type.startsWith(Prefix)) continue;
    const QByteArray Name = QByteArray::fromPercentEncoding(Type.mid(Prefix.size()).toLatin1());
    if (Name.isEmpty()) continue;
    if (UINT Format = RegisterClipboardFormatA(Name.constData())) Content[Format] = Bytes(M->data(Type));
  }
  if (M->hasText()) {
    const QByteArray T = M->text().toUtf8();
    Content[CF_TEXT] = Bytes(T);
  }
  const UINT Rtf = RegisterClipboardFormatA("Rich Text Format");
  if (!Content.count(Rtf) && M->hasFormat(QStringLiteral("text/rtf")))
    Content[Rtf] = Bytes(M->data(QStringLiteral("text/rtf")));
  const UINT Html = RegisterClipboardFormatA("HTML Format");
  if (!Content.count(Html) && M->hasHtml()) Content[Html] = HTMLFormatWrap(Bytes(M->html().toUtf8()));
  return true;
}

bool DesktopClipboardData(const AnsiString& MimeType, AnsiString& Data) {
  QClipboard* Q = Desktop();
  const QMimeData* M = Q ? Q->mimeData() : nullptr;
  const QString Type = QString::fromUtf8(MimeType.data(), static_cast<qsizetype>(MimeType.size()));
  if (!M || !M->hasFormat(Type)) return false;
  const QByteArray A = M->data(Type);
  Data.assign(A.constData(), static_cast<std::size_t>(A.size()));
  return true;
}

bool DesktopClipboardPut(const AnsiString& MimeType, const AnsiString& Data) {
  QClipboard* Q = Desktop();
  if (!Q) return false;
  auto* M = new QMimeData;
  M->setData(QString::fromUtf8(MimeType.data(), static_cast<qsizetype>(MimeType.size())),
             QByteArray(Data.data(), static_cast<qsizetype>(Data.size())));
  Q->setMimeData(M);
  return true;
}
