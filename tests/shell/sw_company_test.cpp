#include <gtest/gtest.h>

#include "shell/sw_company.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"

namespace varnex {
namespace {

using test::TempFolder;

class SupplierDetails : public ::testing::Test {
 protected:
  void SetUp() override { cartella.UsaComeCartellaProgramma(); }
  void TearDown() override { SwCompanyPresente = 0; }
  static std::vector<std::string> Testi() {
    return {SwCompanyNome, SwCompanyIndirizzo, SwCompanyTelefono, SwCompanyWeb};
  }
  TempFolder cartella;
  test::FakeInterazione utente;
};

TEST_F(SupplierDetails, MissingFileGivesTheBuiltInDetails) {
  SwCompanyPresente = -1;
  LoadSwCompany();
  EXPECT_EQ(SwCompanyPresente, 0);
  const auto& d = DettagliPredefiniti();
  EXPECT_EQ(Testi(), (std::vector<std::string>{d.nome, d.indirizzo, d.telefono, d.web}));
  EXPECT_EQ(SwCompanyNome, "VarnexPro");
}

TEST_F(SupplierDetails, CommentsAndBlankLinesAreSkippedAndCommasKept) {
  cartella.Write("SWCOMPANY.CFG",
                 "# Dati del rivenditore\r\n"
                 "\r\n"
                 "   \r\n"
                 "Impianti Esempio S.r.l.\r\n"
                 "# indirizzo\r\n"
                 "Via Roma, 5 - Citt\xE0\r\n"
                 "Tel. 000 000, fax 000 001\r\n"
                 "www.esempio.invalid, info@esempio.invalid\r\n"
                 "Riga in più\r\n");
  LoadSwCompany();
  EXPECT_EQ(SwCompanyPresente, -1);
  EXPECT_EQ(Testi(), (std::vector<std::string>{"Impianti Esempio S.r.l.", "Via Roma, 5 - Citt\xC3\xA0",
                                               "Tel. 000 000, fax 000 001", "www.esempio.invalid, info@esempio.invalid"}));
}

TEST_F(SupplierDetails, FewerLinesLeaveTheRestEmptyWithoutMessage) {
  cartella.Write("swcompany.cfg", "# solo il nome\nDitta\n");
  SwCompanyWeb = "vecchio";
  LoadSwCompany();
  EXPECT_EQ(SwCompanyPresente, -1);
  EXPECT_EQ(Testi(), (std::vector<std::string>{"Ditta", "", "", ""}));
  EXPECT_TRUE(utente.messaggi.empty());
}

}  // namespace
}  // namespace varnex
