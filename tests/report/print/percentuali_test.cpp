// The printed page's proportions from the settings store.
#include <gtest/gtest.h>

#include "report/print/percentuali.h"
#include "shell/settings.h"

namespace varnex {
namespace {

TEST(LoadPagePercent, MissingOrZeroBecomes100AndIsWrittenBack) {
  ImpostazioniInMemoria store;
  ImpostaImpostazioni(&store);
  store.Scrivi("Varnex", "Y-percent", "0");
  LoadPagePercent();
  EXPECT_EQ(PercentualeX, 100);
  EXPECT_EQ(PercentualeY, 100);
  EXPECT_EQ(store.Leggi("Varnex", "X-percent"), "100");
  EXPECT_EQ(store.Leggi("Varnex", "Y-percent"), "100");
  ImpostaImpostazioni(nullptr);
}

TEST(LoadPagePercent, StoredValuesAreRead) {
  ImpostazioniInMemoria store;
  ImpostaImpostazioni(&store);
  store.Scrivi("Varnex", "X-percent", "95");
  store.Scrivi("Varnex", "Y-percent", "90");
  LoadPagePercent();
  EXPECT_EQ(PercentualeX, 95);
  EXPECT_EQ(PercentualeY, 90);
  ImpostaImpostazioni(nullptr);
}

}  // namespace
}  // namespace varnex
