#include <gtest/gtest.h>

#include <QApplication>

#include "shell/ui/main_window.h"

namespace {

TEST(FinestraPrincipale, ShowsUnderOffscreenWithItsTitle) {
  varnex::ui::FinestraPrincipale finestra;
  finestra.show();
  QApplication::processEvents();
  EXPECT_TRUE(finestra.isVisible());
  EXPECT_EQ(finestra.windowTitle(), QStringLiteral("VarnexPro"));
}

}  // namespace
