#include <gtest/gtest.h>

#include "model/helpers.h"
#include "model/textfile.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"

namespace varnex {
namespace {

std::string Fixture(const char* name) { return std::string(VARNEX_FIXTURE_DIR) + "/" + name; }

TEST(ReadDataLine, SkipsCommentsAndBlankLinesInCrLfAndLfFiles) {
  TextReader crlf;
  ASSERT_TRUE(crlf.Open(Fixture("righe_crlf.txt")));
  EXPECT_EQ(ReadDataLine(crlf), "prima.riga");
  EXPECT_EQ(ReadDataLine(crlf), "\tseconda");  // a line of TABs is not blank
  EXPECT_EQ(ReadDataLine(crlf), "ultima riga");  // the last line without an end counts
  EXPECT_EQ(ReadDataLine(crlf), "");
  EXPECT_TRUE(crlf.Eof());

  TextReader lf;
  ASSERT_TRUE(lf.Open(Fixture("righe_lf.txt")));
  EXPECT_EQ(ReadDataLine(lf), "alfa");
  EXPECT_EQ(ReadDataLine(lf), "beta.1");
  EXPECT_EQ(ReadDataLine(lf), "");
}

TEST(ReadDataLine, OnlyCommentsGivesEmptyAtOnce) {
  auto r = TextReader::FromText("# a\n\n  \n# b\n");
  EXPECT_EQ(ReadDataLine(r), "");
  EXPECT_TRUE(r.Eof());
}

TEST(ReadNextLine, ReturnsBlankLinesAndTheLastLineEvenIfComment) {
  auto r = TextReader::FromText("# c\n \n1,5\n# fine");
  EXPECT_EQ(ReadNextLine(r), " ");
  EXPECT_EQ(ReadNextLine(r), "1.5");
  EXPECT_EQ(ReadNextLine(r), "# fine");
  EXPECT_EQ(ReadNextLine(r), "");
  auto raw = TextReader::FromText("#x\n2,5\n");
  EXPECT_EQ(ReadNextLineRaw(raw), "2,5");
}

TEST(SplitFields, CountsFieldsTheWayTheFilesAreWritten) {
  struct Caso {
    const char* riga;
    int16_t ultimo;
    std::vector<std::string> campi;
  } casi[] = {
      {"", 0, {""}},
      {"a\tb", 1, {"a", "b"}},
      {"a\tb\t", 2, {"a", "b", ""}},
      {"\t\tx", 0, {"x"}},
      {"a\t\t\tb", 1, {"a", "b"}},
      {"1,5\tnome con spazi", 1, {"1.5", "nome con spazi"}},
  };
  for (const auto& c : casi) {
    std::vector<std::string> campi(5, "vecchio");
    EXPECT_EQ(SplitFields(c.riga, campi), c.ultimo) << c.riga;
    for (size_t i = 0; i < c.campi.size(); ++i) EXPECT_EQ(campi[i], c.campi[i]) << c.riga << " field " << i;
    // Entries past the last field keep what an earlier line left there.
    EXPECT_EQ(campi[4], "vecchio");
  }
  std::vector<std::string> piccola(2);
  EXPECT_EQ(SplitFields("a\tb\tc\td", piccola), 3);  // counted beyond the capacity, not stored
  EXPECT_EQ(piccola[1], "b");
}

TEST(Windows1252, AccentedLettersRoundTripAndLinesEndWithCrLf) {
  test::TempFolder dir;
  const std::string testo = "Perché è già così? € – “citato” ß";
  TextWriter w(dir.File("accenti.txt"));
  w.PrintLine(testo);
  w.PrintLine("seconda");
  ASSERT_TRUE(w.Commit());
  const std::string bytes = dir.Read("accenti.txt");
  EXPECT_EQ(bytes.substr(0, 6), std::string("Perch\xE9", 6));
  EXPECT_NE(bytes.find(std::string("\x80 \x96 \x93", 5)), std::string::npos);  // euro, en dash, quote
  EXPECT_EQ(bytes.substr(bytes.size() - 9), "seconda\r\n");
  TextReader r;
  ASSERT_TRUE(r.Open(dir.File("accenti.txt")));
  EXPECT_EQ(r.LineInput(), testo);
  EXPECT_EQ(r.LineInput(), "seconda");
  EXPECT_TRUE(r.Eof());
  EXPECT_EQ(Cp1252ToUtf8(Utf8ToCp1252("日本")), "??");
}

TEST(TextWriter, FailedCommitLeavesTheOldFileAndSaysWhy) {
  test::TempFolder dir;
  dir.Write("vecchio.txt", "contenuto\r\n");
  TextWriter w(dir.File("manca/vecchio.txt"));
  w.PrintLine("nuovo");
  std::string errore;
  EXPECT_FALSE(w.Commit(&errore));
  EXPECT_FALSE(errore.empty());
  EXPECT_EQ(dir.Read("vecchio.txt"), "contenuto\r\n");
}

TEST(DateAndTime, RealCalendarAndClockChecks) {
  struct {
    const char* testo;
    bool valida;
  } date[] = {{"12/05/2005", true}, {"29/02/2024", true}, {"29/02/2023", false}, {"31/04/2020", false},
              {"45/01/2020", false}, {"10/13/2020", false}, {"12/2005", false}, {"1/1/1900", false},
              {"1/1/3000", false}, {"a/1/2000", false}, {"//", false}, {"0/1/2000", false}};
  for (const auto& d : date) EXPECT_EQ(IsDataValida(d.testo), d.valida) << d.testo;

  struct {
    const char* testo;
    bool valida;
    const char* dopo;
  } ore[] = {{"12.30", true, "12:30"}, {"23:59", true, "23:59"}, {"24:00", false, "24:00"},
             {"-1:30", false, "-1:30"}, {"12:60", false, "12:60"}, {"12", false, "12"},
             {"1:2:3", false, "1:2:3"}, {"ab:cd", false, "ab:cd"}};
  for (const auto& o : ore) {
    std::string t = o.testo;
    EXPECT_EQ(IsOraValida(t), o.valida) << o.testo;
    EXPECT_EQ(t, o.dopo);
  }
}

TEST(FormatString, ReplacesMarkersFromTheHighestDownAndReportsUnusedArguments) {
  std::vector<std::string> undici;
  for (int i = 0; i <= 10; ++i) undici.push_back("<" + std::to_string(i) + ">");
  std::string modello = "{0}{1}{2}{3}{4}{5}{6}{7}{8}{9}{10}";
  EXPECT_EQ(FormatString(modello, undici), "<0><1><2><3><4><5><6><7><8><9><10>");
  EXPECT_EQ(FormatString("senza", {}), "senza");

  test::FakeInterazione utente;
  utente.Attendi("parametro Xindicato ma non utilizzato!");
  EXPECT_EQ(FormatString("{0}", {"A", "X"}), "A");
}

TEST(SpezzaTesto, CutsInPiecesSharedByAllCallers) {
  int16_t altro = -5;
  EXPECT_EQ(SpezzaTesto(4, altro, "abcdefghi"), "abcd");
  EXPECT_EQ(altro, 1);
  EXPECT_EQ(SpezzaTesto(4, altro), "efgh");
  EXPECT_EQ(altro, 1);
  EXPECT_EQ(SpezzaTesto(4, altro), "i");
  EXPECT_EQ(altro, 0);
  EXPECT_EQ(SpezzaTesto(10, altro, "corto"), "corto");
  EXPECT_EQ(altro, 0);
  EXPECT_EQ(SpezzaTesto(3, altro, "àèìòù"), "àèì");  // characters, not bytes
  EXPECT_EQ(SpezzaTesto(3, altro), "òù");
}

TEST(SmallTextHelpers, Behave) {
  EXPECT_EQ(SostituisciACapo("a\r\nb\rc\nd"), "a  b c d");
  EXPECT_EQ(CommaToDot("1,2,3"), "1.2.3");
  EXPECT_TRUE(IsCifra(48));
  EXPECT_TRUE(IsCifra(57));
  EXPECT_FALSE(IsCifra(47));
  EXPECT_FALSE(IsCifra(58));
  test::FakeInterazione utente;
  utente.Attendi("Avviso");
  MostraAvviso(3, "Avviso");
  ASSERT_EQ(utente.messaggi.size(), 1u);
  EXPECT_EQ(utente.messaggi[0].bottoni, Bottoni::OK);
  EXPECT_EQ(utente.messaggi[0].icona, Icona::Nessuna);
  EXPECT_EQ(utente.messaggi[0].titolo, "");
}

}  // namespace
}  // namespace varnex
