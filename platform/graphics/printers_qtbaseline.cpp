// The print benchmark's baseline on the GUI library alone.
#include "platform/graphics/printers_qtbaseline.h"

#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "platform/graphics/gdi_internal.h"

int PrintTextGridQtBaseline(const std::string& FileName, int Rows, int Cols) {
  gdi::EnsureGuiApp();
  QPdfWriter Writer(QString::fromStdString(FileName));
  Writer.setResolution(96);
  Writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  QPainter P(&Writer);
  QFont Font(QStringLiteral("DejaVu Sans Mono"));
  Font.setPixelSize(13);
  P.setFont(Font);
  const int RowH = QFontMetrics(Font).height() + 4;
  const int ColW = 70;
  const int PageH = P.viewport().height();
  int Y = 0, Pages = 1;
  for (int R = 0; R < Rows; ++R) {
    if (Y + RowH > PageH) {
      Writer.newPage();
      ++Pages;
      Y = 0;
    }
    for (int C = 0; C < Cols; ++C) {
      const QRect Box(10 + C * ColW, Y, ColW, RowH);
      P.drawRect(Box);
      P.drawText(Box.adjusted(2, 0, 0, 0), Qt::AlignVCenter,
                 QStringLiteral("r%1c%2").arg(R, 6, 10, QLatin1Char('0')).arg(C));
    }
    Y += RowH;
  }
  return Pages;
}
