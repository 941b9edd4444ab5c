#include "report/print/tenuta_report.h"

#include "model/strings.h"
#include "tightness/pagina_tenuta.h"
#include "tightness/tenuta.h"

namespace varnex {

namespace {

class Pezzi {
 public:
  void Testo(const std::string& t, bool fine, bool grassetto = false) {
    PezzoTenuta p;
    p.Testo = t;
    p.FineRiga = fine;
    p.Grassetto = grassetto;
    v.push_back(std::move(p));
  }
  void Riga(const std::string& t, bool grassetto = false) { Testo(t, true, grassetto); }
  void Vuota(bool saltaHTML = false, bool saltaTesto = false) {
    PezzoTenuta p;
    p.Tipo = TipoPezzo::RigaVuota;
    p.FineRiga = true;
    p.SaltaHTML = saltaHTML;
    p.SaltaTesto = saltaTesto;
    v.push_back(std::move(p));
  }
  void Aggiungi(PezzoTenuta p) { v.push_back(std::move(p)); }
  std::vector<PezzoTenuta> v;
};

}  // namespace

std::string ApplianceCountLabel(int16_t conteggio, const std::string& etichetta, const std::string& suffisso) {
  return "n° " + std::to_string(conteggio) + etichetta + (conteggio > 0 ? suffisso : std::string());
}

std::vector<PezzoTenuta> GetPezziTenuta() {
  const TTenutaImpianto& t = TenutaImpianto;
  Pezzi p;

  p.Vuota();
  {
    PezzoTenuta titolo;
    titolo.Tipo = TipoPezzo::Titolo;
    titolo.Testo = "Verifica di tenuta dell'impianto in base alla normativa UNI 11137-1";
    titolo.Grassetto = true;
    titolo.FineRiga = true;
    p.Aggiungi(titolo);
  }
  p.Vuota(true);

  // Occupant.
  p.Riga("Dati dell'utente e/o proprietario", true);
  p.Riga(t.ProprietarioNome);
  p.Testo(t.ProprietarioVia, false);
  p.Testo(" n° " + t.ProprietarioNumero, false);
  p.Riga(t.ProprietarioScala.empty() ? std::string() : " scala " + t.ProprietarioScala);
  p.Testo(t.ProprietarioComuneInstall, false);
  p.Testo(" (" + t.ProprietarioProv + ") ", false);
  p.Riga(" - " + t.ProprietarioCap);
  p.Vuota();

  // Owner.
  p.Riga("Proprietario (se diverso dall'occupante) ");
  if (t.ProprietarioNome2.empty()) {
    p.Riga("");
  } else {
    p.Riga(t.ProprietarioNome2);
    p.Testo(t.ProprietarioVia2, false);
    p.Testo(" n° " + t.ProprietarioNumCiv, false);
    p.Riga(" - " + t.ProprietarioComuneResid);
  }
  p.Riga("Durante l'intervento era presente il/la sig. " + t.ProprietarioPresente);
  p.Vuota();

  // Gas family.
  p.Testo("TIPO DI GAS: ", false, true);
  const char* famiglie[] = {"", "I famiglia", "II famiglia", "III famiglia"};
  p.Riga(t.FamigliaGas >= 1 && t.FamigliaGas <= 3      ? famiglie[t.FamigliaGas]
         : t.FamigliaGas == FamigliaNonAttribuibile ? "non associabile a nessuna famiglia"
                                                    : "");
  p.Vuota();
  p.Riga("Intervento eseguito il " + t.DataEsecuzione + " alle ore " + t.OraEsecuzione);
  p.Vuota();

  // Causes, two to a line.
  p.Riga("CAUSA DELL'INTERVENTO", true);
  const std::vector<std::string> cause = Split(t.Cause, ";");
  if (cause.size() == 7) {
    const std::string testi[] = {"- Sostituzione apparecchio",        "- Sostituzione tipo di gas",
                                 "- Riattivazione impianto",          "- Persistente odore di gas",
                                 "- Esito incerto secondo UNI 10738", "- Verifica periodica decennale",
                                 "- Altro: " + t.CausaAltro};
    int16_t stato = 1;
    for (size_t i = 0; i < 7; ++i) {
      if (cause[i].empty()) continue;
      PezzoTenuta c;
      c.Tipo = TipoPezzo::Causa;
      c.Testo = testi[i];
      c.ColonnaDestra = stato == 2;
      c.InizioRiga = stato == 1;
      c.FineRiga = stato == 2;
      stato = stato == 1 ? 2 : 1;
      p.Aggiungi(c);
    }
  }
  p.Vuota();
  p.Vuota(true, true);

  // Appliances.
  p.Riga("APPARECCHI ALIMENTATI DALL'IMPIANTO", true);
  p.Riga("Numero complessivo apparecchi: " + std::to_string(t.AppComplessivo));
  auto apparecchio = [&](int16_t n, const std::string& etichetta, const std::string& suffisso, bool destra, bool fine) {
    PezzoTenuta a;
    a.Tipo = TipoPezzo::Apparecchio;
    a.Conteggio = n;
    a.Etichetta = etichetta;
    a.Suffisso = n > 0 ? suffisso : std::string();
    a.Testo = ApplianceCountLabel(n, etichetta, suffisso);
    a.ColonnaDestra = destra;
    a.InizioRiga = !destra;
    a.FineRiga = fine;
    p.Aggiungi(a);
  };
  apparecchio(t.AppRisc, " per il riscaldamento", "", false, false);
  apparecchio(t.AppAcquaSan, " per la produzione di acqua sanitaria", "", true, true);
  apparecchio(t.AppCombinati, " combinati (riscaldamento/sanitario)", "", false, false);
  apparecchio(t.AppCottura, " per cottura cibi", "", true, true);
  apparecchio(t.AppAltroNum, " di altro tipo", ": " + t.AppAltroDesc, false, true);
  p.Vuota();

  // Method.
  if (t.Metodo == 1) {
    p.Testo("METODOLOGIA DI VERIFICA APPLICATA: ", false, true);
    p.Riga("Prova preliminare con contatore");
  } else if (t.Metodo == 2) {
    p.Riga("METODOLOGIA DI VERIFICA APPLICATA:", true);
    p.Riga("Prova preliminare mediante rilevazione c.d.p. (solo per impianto con capacità <= 25 litri)");
  } else {
    p.Testo("METODOLOGIA DI VERIFICA APPLICATA:", false, true);
    p.Riga("Non indicata");
  }
  p.Vuota();

  if (t.Metodo == 1) {
    p.Riga("PROVA PRELIMINARE CON CONTATORE", true);
    p.Riga("Modello: " + t.ProvaContModello);
    p.Riga("Calibro: " + t.ProvaContCalibro);
    p.Riga("Marca: " + t.ProvaContMarca);
    p.Riga("Matricola: " + t.ProvaContMatricola);
    p.Riga("Portata nominale minima: " + t.ProvaContQn + " (l/h)");
    p.Riga("Pressione di prova: " + t.ProvaContPprova + " (Pa)");
    p.Riga("Valore di dispersione rilevato: " + t.ProvaContDispRil + " (l/h)");
    p.Riga("Pressione di riferimento (ricavata come da norma UNI): " + t.ProvaContPRif + " (Pa)");
    p.Riga("Dispersione di riferimento (ricavata come da norma UNI): " + t.ProvaContDispRif + " (l/h)");
    p.Vuota();
  } else if (t.Metodo == 2) {
    p.Riga("PROVA PRELIMINARE MEDIANTE RILEVAZIONE C.D.P.", true);
    p.Riga("Strumento tipo: " + t.ProvaCDPStrumento);
    p.Riga("Marca: " + t.ProvaCDPMarca);
    p.Riga("Matricola: " + t.ProvaCDPMatricola);
    p.Riga("Pressione di prova con gas di rete: " + t.ProvaCDPPprova + " (Pa)");
    p.Riga("Caduta di pressione rilevata in un minuto: " + t.ProvaCDPcdp + " (Pa)");
    p.Riga("Pressione di riferimento (ricavata come da norma UNI): " + t.ProvaCDPPrifer + " (Pa)");
    p.Riga("Caduta di pressione massima in un minuto (ricavata come da norma UNI): " + t.ProvaCDPcdpmax + " (Pa)");
    p.Vuota();
  }

  // Interception device.
  p.Riga("CONTROLLO DISPOSITIVO DI INTERCETTAZIONE", true);
  if (t.DisposIntercett == 1)
    p.Riga("Dispositivo di intercettazione a tenuta");
  else if (t.DisposIntercett == 2)
    p.Riga("Dispositivo di intercettazione NON a tenuta");
  else
    p.Riga("Dispositivo di intercettazione NON INDICATO");
  p.Vuota();

  // Verdict. A verdict is printed only when the record shows a test that applies and whose every
  // judged value is a measurement: one left in a record of another gas, or over impossible or
  // missing data (an older file), is not.
  p.Riga("RISULTATO DELLA VERIFICA", true);
  // The line under it is the page's own (`NotaVerdetto`): why there is no verdict, or the cause
  // of an unfit one that the measurement alone does not show.
  const std::string motivo = MotivoSenzaVerdetto(t);
  const std::string nota = NotaVerdetto(t);
  const int16_t risultato = motivo.empty() ? t.Risultato : int16_t{0};
  if (risultato == 1) {
    p.Riga("Tenuta idonea al funzionamento");
  } else if (risultato == 2) {
    p.Riga("Tenuta idonea al funzionamento temporaneo (*)");
    p.Riga("(*) La tenuta dell'impianto deve essere ripristinata entro e non oltre 30 giorni a partire dalla data "
           "odierna");
  } else if (risultato == 3) {
    p.Riga("Tenuta non idonea al funzionamento (**)");
    p.Riga("(**) L'impianto viene messo fuori esercizio.");
    p.Riga("Si diffida dall'utilizzo: la mancanza di tenuta rilevata pregiudica la sicurezza della pubblica "
           "incolumità");
  } else {
    // No verdict: the report says why, so that the line never reads as a printing fault.
    p.Riga(nota.empty() ? "Nessun esito: la verifica non è stata eseguita." : nota);
  }
  if (risultato != 0 && !nota.empty()) p.Riga(nota);
  p.Vuota();

  p.Riga("NOTE", true);
  p.Riga(t.Note);
  p.Vuota();

  p.Riga("Dati dell'impresa e/o del tecnico che ha effettuato la verifica", true);
  p.Riga(t.RagSociale);
  p.Riga(t.Indirizzo);
  p.Riga(t.Telefono);
  p.Testo("Tecnico: ", false, true);
  p.Riga(t.NomeTecnico);
  p.Vuota();

  // Signatures, then room to sign below them.
  PezzoTenuta firma;
  firma.Tipo = TipoPezzo::Firma;
  firma.Grassetto = true;
  firma.Testo = "     Timbro e Firma";
  firma.InizioRiga = true;
  p.Aggiungi(firma);
  firma.Testo = "Firma per accettazione dell'occupante";
  firma.InizioRiga = false;
  firma.ColonnaDestra = true;
  p.Aggiungi(firma);
  p.Vuota(true, false);
  for (int i = 0; i < 4; ++i) p.Vuota(true, true);
  return p.v;
}

}  // namespace varnex
