#include "platform/grids/gridfilter_qtbaseline.h"

#include <QSortFilterProxyModel>
#include <QStringList>
#include <QStringListModel>

struct TQtProxyFilter::TModel {
  QStringListModel Source;
  QSortFilterProxyModel Proxy;
};

TQtProxyFilter::TQtProxyFilter(const std::vector<AnsiString>& Texts) : FModel(std::make_unique<TModel>()) {
  QStringList L;
  L.reserve(static_cast<qsizetype>(Texts.size()));
  for (const AnsiString& T : Texts) L.append(QString::fromUtf8(T.data(), static_cast<qsizetype>(T.size())));
  FModel->Source.setStringList(L);
  FModel->Proxy.setSourceModel(&FModel->Source);
}

TQtProxyFilter::~TQtProxyFilter() = default;

int TQtProxyFilter::Filter(const AnsiString& Wildcard, bool CaseSensitive) {
  QSortFilterProxyModel& P = FModel->Proxy;
  P.setFilterCaseSensitivity(CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
  P.setFilterWildcard(QString::fromUtf8(Wildcard.data(), static_cast<qsizetype>(Wildcard.size())));
  return P.rowCount();
}
