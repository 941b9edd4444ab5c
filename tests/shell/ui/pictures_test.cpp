#include <gtest/gtest.h>

#include <QImageReader>
#include <cstdlib>

#include "shell/ui/pictures.h"

namespace varnex::ui {
namespace {

// The shipped "logo.bmp" is this program's own drawing. Run the window tests with
// VARNEX_RIGENERA_IMMAGINI=1 to write it again into the source data folder after changing it.
TEST(Pictures, ShippedLogoIsAReadableBitmapOfTheDrawnLogo) {
  const QString percorso = QStringLiteral(VARNEX_SOURCE_DATA_DIR "/logo.bmp");
  const QImage disegnato = DisegnaLogoStampa();
  EXPECT_LE(disegnato.width(), 184);
  EXPECT_LE(disegnato.height(), 41);
  if (std::getenv("VARNEX_RIGENERA_IMMAGINI")) {
    ASSERT_TRUE(disegnato.save(percorso, "BMP"));
  }
  QImageReader lettore(percorso);
  EXPECT_EQ(lettore.format(), QByteArray("bmp"));
  const QImage spedito = lettore.read();
  ASSERT_FALSE(spedito.isNull()) << lettore.errorString().toStdString();
  EXPECT_EQ(spedito.size(), disegnato.size());
}

TEST(Pictures, AnimationPicturesDiffer) {
  EXPECT_NE(DisegnaFiamma(0), DisegnaFiamma(1));
  EXPECT_EQ(DisegnaFiamma(0).size(), DisegnaFiamma(1).size());
  for (int i = 1; i <= 4; ++i)
    for (int j = i + 1; j <= 4; ++j) EXPECT_NE(DisegnaFotogrammaAttesa(i), DisegnaFotogrammaAttesa(j)) << i << " " << j;
  EXPECT_EQ(DisegnaFotogrammaAttesa(5), DisegnaFotogrammaAttesa(1));
}

}  // namespace
}  // namespace varnex::ui
