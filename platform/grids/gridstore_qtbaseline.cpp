#include "platform/grids/gridstore_qtbaseline.h"

#include <QStandardItemModel>
#include <QString>

struct TQtItemModelFill::TModel {
  QStandardItemModel Model;
  TModel(int Rows, int Cols) : Model(Rows, Cols) {}
};

TQtItemModelFill::TQtItemModelFill(int Rows, int Cols) : FModel(std::make_unique<TModel>(Rows, Cols)) {}

TQtItemModelFill::~TQtItemModelFill() = default;

void TQtItemModelFill::SetText(int Col, int Row, const AnsiString& Text) {
  QStandardItemModel& m = FModel->Model;
  m.setData(m.index(Row, Col), QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())));
}

AnsiString TQtItemModelFill::GetText(int Col, int Row) const {
  const QStandardItemModel& m = FModel->Model;
  return m.data(m.index(Row, Col)).toString().toStdString();
}
