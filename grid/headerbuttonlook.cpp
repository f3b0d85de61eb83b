#include "grid/headerbuttonlook.h"

void SetHeaderButtonLook(TPopupButton& Button, TGridLook Look, const TFixedGradientSet& Fixed) {
  if (Look == glZyt || Look == glXP) {
    Button.GradFrom = Fixed.From;
    Button.GradTo = Fixed.To;
    Button.GradMirrorFrom = clNone;
    Button.GradMirrorTo = clNone;
  } else if (Look == glVista) {
    Button.GradFrom = Fixed.From;
    Button.GradTo = Fixed.To;
    Button.GradMirrorFrom = Fixed.MirrorFrom;
    Button.GradMirrorTo = Fixed.MirrorTo;
  } else {
    Button.GradFrom = Button.GradTo = Button.GradMirrorFrom = Button.GradMirrorTo = clNone;
  }
  Button.Invalidate();
}
