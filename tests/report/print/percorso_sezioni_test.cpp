// The one walk over the report's sections that the printed report and both report files take.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/files/stampa_file.h"
#include "report/print/sezioni.h"

namespace varnex {
namespace {

class PercorsoSezioni : public ::testing::Test {
 protected:
  void SetUp() override { AzzeraSezioni(); }
  void TearDown() override { AzzeraSezioni(); }
};

// Every section is met in the order of the report, ticked or not; only the ticked ones are written.
TEST_F(PercorsoSezioni, EverySectionMetInOrderOnlyTickedOnesWritten) {
  StampaTronchi = -1;
  StampaComputo = -1;
  StampaDiagrammaRete = -1;
  std::vector<SezioneReport> incontrate, scritte;
  PercorriSezioni([&](SezioneReport s) { incontrate.push_back(s); },
                  [&](SezioneReport s) {
                    // Written right after it is met.
                    ASSERT_FALSE(incontrate.empty());
                    EXPECT_EQ(incontrate.back(), s);
                    scritte.push_back(s);
                  });
  EXPECT_EQ(incontrate, std::vector<SezioneReport>(OrdineSezioni.begin(), OrdineSezioni.end()));
  EXPECT_EQ(scritte, (std::vector<SezioneReport>{SezioneReport::Tronchi, SezioneReport::Computo,
                                                 SezioneReport::DiagrammaRete}));
}

// A failure in a section names that section: the step of each section leads to its own text.
TEST_F(PercorsoSezioni, EachSectionsStepNamesItInTheFailureMessage) {
  const std::vector<std::pair<SezioneReport, std::string>> casi = {
      {SezioneReport::Copertina, "copertina"},           {SezioneReport::Tronchi, "tabella dei tronchi"},
      {SezioneReport::PDCLocalizzate, "perdite localizzate"}, {SezioneReport::Verifica, "percorso più sfavorito"},
      {SezioneReport::Utenze, "riepilogo utenze"},        {SezioneReport::Computo, "computo dei materiali"},
      {SezioneReport::TenutaImpianto, "tenuta impianto"},   {SezioneReport::DiagrammaRete, "schema della rete"},
  };
  for (const auto& [sezione, parole] : casi)
    EXPECT_NE(TestoPassoStampaFile(PassoSezione(sezione)).find(parole), std::string::npos)
        << TestoPassoStampaFile(PassoSezione(sezione));
}

}  // namespace
}  // namespace varnex
