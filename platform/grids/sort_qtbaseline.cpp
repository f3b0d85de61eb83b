#include "platform/grids/sort_qtbaseline.h"

#include <QStandardItemModel>
#include <QString>

struct TQtItemModelSort::TModel {
  QStandardItemModel Model;
  explicit TModel(int Rows) : Model(Rows, 1) {}
};

TQtItemModelSort::TQtItemModelSort(const std::vector<AnsiString>& Texts)
    : FModel(std::make_unique<TModel>(static_cast<int>(Texts.size()))) {
  QStandardItemModel& m = FModel->Model;
  for (std::size_t r = 0; r < Texts.size(); ++r)
    m.setItem(static_cast<int>(r), 0,
              new QStandardItem(QString::fromUtf8(Texts[r].data(), static_cast<qsizetype>(Texts[r].size()))));
}

TQtItemModelSort::~TQtItemModelSort() = default;

void TQtItemModelSort::Sort() { FModel->Model.sort(0, Qt::AscendingOrder); }

AnsiString TQtItemModelSort::GetText(int Row) const {
  const QStandardItemModel& m = FModel->Model;
  return m.data(m.index(Row, 0)).toString().toStdString();
}
