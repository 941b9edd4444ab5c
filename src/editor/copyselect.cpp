#include "editor/copyselect.h"

namespace varnex {

bool CasellaCopiaVisibile(int flag, bool reteInPressione) {
  if (flag < 0 || flag > 13) return false;
  if (reteInPressione) return true;
  // An internal installation has no simultaneity and only the four built-in fittings.
  if (flag == 11) return false;
  return flag <= 3 || flag >= 10;
}

int UltimaCasellaLocali(bool reteInPressione) { return reteInPressione ? 9 : 3; }

}  // namespace varnex
