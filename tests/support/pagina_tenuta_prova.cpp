#include "support/pagina_tenuta_prova.h"

#include "model/gas.h"
#include "model/rete.h"

namespace varnex::test {

using namespace campo_tenuta;

void CompilaPaginaTenuta(PaginaTenuta& p) {
  for (int c = 0; c < NumCampiTenuta; ++c)
    if (IsCampoCasellaTesto(c)) p.Testo(c) = "x";
  p.Testo(ProprietarioNome2).clear();
  p.Testo(CapacitaContatore) = "2,0";
  p.Testo(DataEsecuzione) = "31/12/2007";
  p.Testo(OraEsecuzione) = "9:30";
  for (int c : {AppRisc, AppAcquaSan, AppCombinati, AppCottura, AppAltroNum}) p.Testo(c) = "1";
  p.Testo(AppComplessivo) = "5";
  p.Testo(ProvaContQn) = "0,5";
  p.Testo(ProvaContPprova) = "2000";
  p.Testo(ProvaContDispRil) = "0,5";
  p.Testo(ProvaCDPPprova) = "2000";
  p.Testo(ProvaCDPcdp) = "10";
  p.CauseCaselle[0].Spuntata = true;
  p.CauseCaselle[6].Spuntata = true;
  p.MetodoContatore.Selezionata = true;
  p.DisposATenuta.Selezionata = true;
  p.PaginaTenutaInizializzata = true;
}

std::string CompilaCasoTenuta(const CasoUscitaTenuta& caso, PaginaTenutaProva& pagina) {
  GasCorrente.Famiglia = 2;
  GasCorrente.ErroreFamiglia = 0;
  GasCorrente.NonCombustibile = 0;
  ParFamGas[2] = {2200, 100};
  CompilaPaginaTenuta(pagina.pagina);
  caso.prepara(pagina.pagina);
  pagina.Refresh();
  return pagina.pagina.NotaSottoVerdetto;
}

const std::vector<CasoUscitaTenuta>& CasiUscitaTenuta() {
  // The cases that change the network come last, the one without pipes at the very end.
  static const std::vector<CasoUscitaTenuta> casi = {
      {"no family constants", [](PaginaTenuta&) { ParFamGas[2] = {}; }, "",
       "Pressione di riferimento (ricavata come da norma UNI): NC (Pa)"},
      {"no family constants, pressure drop",
       [](PaginaTenuta& p) {
         ParFamGas[2] = {};
         p.MetodoContatore.Selezionata = false;
         p.MetodoCDP.Selezionata = true;
       },
       "", "Caduta di pressione massima in un minuto (ricavata come da norma UNI): NC (Pa)"},
      {"test pressure with extra zeros", [](PaginaTenuta& p) { p.Testo(ProvaContPprova) = "2200000"; }, "", ""},
      {"meter over 3 litres", [](PaginaTenuta& p) { p.Testo(CapacitaContatore) = "3,5"; },
       "Tenuta non idonea al funzionamento (**)", ""},
      {"device not tight",
       [](PaginaTenuta& p) {
         p.DisposATenuta.Selezionata = false;
         p.DisposNonATenuta.Selezionata = true;
       },
       "Tenuta non idonea al funzionamento (**)", ""},
      {"drop with a thousands point",
       [](PaginaTenuta& p) {
         p.MetodoContatore.Selezionata = false;
         p.MetodoCDP.Selezionata = true;
         p.Testo(ProvaCDPcdp) = "1.500";
       },
       "Tenuta non idonea al funzionamento (**)", "Caduta di pressione rilevata in un minuto: 1500 (Pa)"},
      {"drop read from an older file as 1,500",
       [](PaginaTenuta& p) {
         p.MetodoContatore.Selezionata = false;
         p.MetodoCDP.Selezionata = true;
         p.Testo(ProvaCDPcdp) = "1,500";
         p.PascalDaConfermare = uint64_t{1} << ProvaCDPcdp;
       },
       "", "Caduta di pressione rilevata in un minuto: 1,500 (Pa)"},
      {"pipe without a length, pressure drop",
       [](PaginaTenuta& p) {
         Tronco(2).ID_LEN = 0;
         p.MetodoContatore.Selezionata = false;
         p.MetodoCDP.Selezionata = true;
       },
       "", "il tronco 2 non ha una lunghezza"},
      {"no pipes, pressure drop",
       [](PaginaTenuta& p) {
         Rete().NumTronchi = 0;
         p.MetodoContatore.Selezionata = false;
         p.MetodoCDP.Selezionata = true;
       },
       "", ""},
  };
  return casi;
}

}  // namespace varnex::test
