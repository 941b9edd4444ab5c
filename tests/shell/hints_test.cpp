#include <gtest/gtest.h>

#include "shell/hints.h"
#include "shell/settings.h"
#include "shell/sw_company.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"

namespace varnex {
namespace {

using test::TempFolder;

class Tips : public ::testing::Test {
 protected:
  void SetUp() override {
    cartella.UsaComeCartellaProgramma();
    ImpostaImpostazioni(&store);
    Hints.clear();
    HintLast = 0;
    HintsShow = true;
    SwCompanyPresente = 0;
  }
  void TearDown() override {
    ImpostaImpostazioni(nullptr);
    Hints.clear();
    HintLast = 0;
    HintsShow = true;
    SwCompanyPresente = 0;
  }
  static void Lista(std::initializer_list<std::pair<int32_t, const char*>> voci) {
    Hints.clear();
    for (const auto& [marcato, testo] : voci) Hints.push_back({marcato, testo});
  }

  TempFolder cartella;
  ImpostazioniInMemoria store;
  test::FakeInterazione utente;
};

TEST_F(Tips, LineInterpretation) {
  struct Caso {
    const char* riga;
    int32_t marcato;
    const char* testo;
  };
  const Caso casi[] = {
      {"Premere F9 per calcolare.", 0, "Premere F9 per calcolare."},
      {"<SWCOMPANY=1>Chiedete al fornitore.", 1, "Chiedete al fornitore."},
      {"<SWCOMPANY=0>Per tutti.", 0, "Per tutti."},
      {"<swcompany=1>In minuscolo.", 1, "In minuscolo."},
      {"Tag <SwCompany=0>in mezzo", 0, "Tag in mezzo"},
      {"Uno<br>due<br>tre", 0, "Uno\r\ndue\r\ntre"},
      {"Uno<BR>due<Br>tre", 0, "Uno\r\ndue<Br>tre"},
      {"", 0, ""},
      {"<SWCOMPANY=1><SWCOMPANY=1>Doppio", 1, "Doppio"},
      {"<SWCOMPANY=2>Altro tag", 0, "<SWCOMPANY=2>Altro tag"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.riga);
    THint h = InterpretaHint(c.riga);
    EXPECT_EQ(h.Marcato, c.marcato);
    EXPECT_EQ(h.Testo, c.testo);
  }
}

TEST_F(Tips, LoadHintsReadsEveryTipLineInOrder) {
  cartella.Write("HINTS.CFG",
                 "# Suggerimenti\r\n"
                 "Primo: citt\xE0\r\n"
                 "\r\n"
                 "# commento in mezzo\r\n"
                 "<SWCOMPANY=1>Secondo<br>a capo\r\n"
                 "Terzo, con virgola 1,5\r\n"
                 "# commento finale\r\n"
                 "# ancora\r\n");
  LoadHints();
  ASSERT_EQ(Hints.size(), 4u);
  EXPECT_EQ(Hints[0].Testo, "Primo: citt\xC3\xA0") << "read as Windows-1252";
  EXPECT_EQ(Hints[1].Testo, "") << "an empty line is an empty tip";
  EXPECT_EQ(Hints[2].Marcato, 1);
  EXPECT_EQ(Hints[2].Testo, "Secondo\r\na capo");
  EXPECT_EQ(Hints[3].Testo, "Terzo, con virgola 1,5") << "no comma conversion, and the trailing comments are no tip";
}

TEST_F(Tips, LoadHintsWithoutFileOrWithOnlyCommentsGivesNoTip) {
  Lista({{0, "vecchio"}});
  LoadHints();
  EXPECT_TRUE(Hints.empty());
  cartella.Write("hints.cfg", "# solo commenti\r\n#\r\n");
  LoadHints();
  EXPECT_TRUE(Hints.empty());
}

TEST_F(Tips, NextHintTable) {
  struct Caso {
    const char* nome;
    std::vector<int32_t> marcati;  // one per tip, texts are "0", "1", ...
    bool fornitore;
    int16_t prima;
    const char* testo;
    int16_t dopo;
  };
  const std::vector<Caso> casi = {
      {"modulo the count", {0, 0, 0}, false, 7, "1", 2},
      {"first", {0, 0, 0}, false, 0, "0", 1},
      {"wraps from the last", {0, 0, 0}, false, 3, "0", 1},
      {"no tips", {}, false, 5, "", 5},
      {"no tips, supplier file", {}, true, 0, "", 0},
      {"marked shown with built-in details", {1, 1, 0, 0}, false, 0, "0", 1},
      {"marked skipped with a supplier file", {1, 1, 0, 0}, true, 0, "2", 3},
      {"skipping wraps round", {0, 1, 1, 1}, true, 2, "0", 1},
      {"every tip marked ends with an empty tip", {1, 1, 1}, true, 1, "", 1},
      {"negative counter stays inside the list", {0, 0, 0}, false, -1, "2", 3},
      {"very negative counter", {0, 0, 0}, false, -32768, "1", 2},
      {"largest counter", {0, 0, 0}, false, 32767, "1", 2},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    Hints.clear();
    for (size_t i = 0; i < c.marcati.size(); ++i) Hints.push_back({c.marcati[i], std::to_string(i)});
    SwCompanyPresente = c.fornitore ? -1 : 0;
    HintLast = c.prima;
    EXPECT_EQ(NextHint().Testo, c.testo);
    EXPECT_EQ(HintLast, c.dopo);
  }
}

TEST_F(Tips, SuccessiveTipsRepeatFromTheFirst) {
  Lista({{0, "a"}, {0, "b"}});
  EXPECT_EQ(NextHint().Testo, "a");
  EXPECT_EQ(NextHint().Testo, "b");
  EXPECT_EQ(NextHint().Testo, "a");
}

TEST_F(Tips, StatusDefaultsAndRoundTrip) {
  ReadHintsStatus();
  EXPECT_TRUE(HintsShow);
  EXPECT_EQ(HintLast, 0);
  HintsShow = false;
  HintLast = 12;
  WriteHintsStatus();
  EXPECT_EQ(store.Leggi("Varnex", "HintsShow"), std::optional<std::string>("false"));
  EXPECT_EQ(store.Leggi("Varnex", "HintLast"), std::optional<std::string>("12"));
  HintsShow = true;
  HintLast = 0;
  ReadHintsStatus();
  EXPECT_FALSE(HintsShow);
  EXPECT_EQ(HintLast, 12);
}

TEST_F(Tips, StoredTextsThatAreNotBooleansOrNumbers) {
  struct Caso {
    const char* show;
    const char* last;
    bool mostra;
    int16_t ultimo;
  };
  const Caso casi[] = {{"true", "3", true, 3},   {"True", "-2", true, -2}, {"forse", "tre", false, 0},
                       {"", "", false, 0},        {"0", "99999", false, 0}, {"-1", "4", true, 4}};
  for (const auto& c : casi) {
    SCOPED_TRACE(c.show);
    store.Scrivi("Varnex", "HintsShow", c.show);
    store.Scrivi("Varnex", "HintLast", c.last);
    ReadHintsStatus();
    EXPECT_EQ(HintsShow, c.mostra);
    EXPECT_EQ(HintLast, c.ultimo);
  }
}

TEST_F(Tips, TwoStartUpsShowConsecutiveTips) {
  cartella.Write("HINTS.CFG", "Uno\r\nDue\r\nTre\r\n");
  InitHints();
  EXPECT_EQ(NextHint().Testo, "Uno");
  WriteHintsStatus();
  Hints.clear();
  HintLast = 0;
  InitHints();
  EXPECT_EQ(NextHint().Testo, "Due");
}

// The shipped tips promise only what the boxes do: the tightness page's boxes of whole pascals
// read a point as thousands grouping, so the tip on the decimal point must say so.
TEST_F(Tips, TheShippedTipOnTheDecimalPointNamesTheBoxesWhereItGroupsThousands) {
  cartella.CopiaDatiDistribuiti();
  LoadHints();
  int trovati = 0;
  for (const THint& h : Hints) {
    if (h.Testo.find("punto come separatore decimale") == std::string::npos) continue;
    ++trovati;
    EXPECT_NE(h.Testo.find("verifica di tenuta"), std::string::npos) << h.Testo;
    EXPECT_NE(h.Testo.find("separa le migliaia"), std::string::npos) << h.Testo;
  }
  EXPECT_EQ(trovati, 1);
}

}  // namespace
}  // namespace varnex
