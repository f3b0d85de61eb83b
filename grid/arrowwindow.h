// The small green arrows shown around the drop position while a row or
// column is moved, and the floating caption button of the grid. Both are
// pop-up windows; an arrow is shaped by its polygon.
#pragma once

#include <array>

#include "platform/comctrls/extctrls.h"
#include "platform/graphics/graphics.h"

enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };

class TArrowWindow : public TPanel {
public:
  // Hidden, green, parented to AOwner; sized to hold its polygon.
  TArrowWindow(TWinControl* AOwner, TArrowDirection Direction);
  TArrowDirection GetDirection() const { return FDirection; }
  // The seven points of the direction's polygon.
  static std::array<POINT, 7> ArrowPoints(TArrowDirection Direction);
  static constexpr TColor ArrowColor = 0x00FF00;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;

private:
  TArrowDirection FDirection;
};
