#include "report/print/tenuta_report.h"

#include <algorithm>
#include <utility>

#include "model/strings.h"
#include "report/print/pagina.h"
#include "tightness/pagina_tenuta.h"
#include "model/tenuta.h"

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

// A part of a line that joins fields: the field with what stands before and after it. What stands
// before is a label ("n° ", "scala ") or, for a separator, only divides the part from the one before.
struct Parte {
  Parte(std::string p, std::string c, std::string d = "", bool s = false)
      : prima(std::move(p)), campo(std::move(c)), dopo(std::move(d)), separatore(s) {}
  std::string prima;
  std::string campo;
  std::string dopo;
  bool separatore;
};

// The parts whose field is filled, in order: an address of empty fields prints nothing, not its
// separators. The line starts at its first part's label or field (a separator with nothing before
// it goes) and ends at its last part, without the blanks around them; with every field filled it
// reads exactly as its parts.
std::string UnisciParti(const std::vector<Parte>& parti) {
  std::vector<Parte> piene;
  for (const Parte& parte : parti)
    if (!Trim(parte.campo).empty()) piene.push_back(parte);
  if (piene.empty()) return {};
  piene.front().prima = piene.front().separatore ? std::string() : LTrim(piene.front().prima);
  piene.back().dopo = RTrim(piene.back().dopo);
  std::string riga;
  for (const Parte& parte : piene) riga += parte.prima + parte.campo + parte.dopo;
  return riga;
}

// What stands before a house number: " n° ", whose last blank keeps the number on its line.
const std::string PrimaDelCivico = " n°" + std::string(SpazioUnito);

}  // namespace

std::string ApplianceCountLabel(int16_t conteggio, const std::string& etichetta, const std::string& suffisso) {
  return "n° " + std::to_string(conteggio) + etichetta + (conteggio > 0 ? suffisso : std::string());
}

namespace {

// Whether every word of `testo` stands whole in `larghezza`.
bool ParoleIntere(const std::string& testo, double larghezza, const std::function<double(const std::string&)>& misura) {
  for (const std::string& parola : Split(testo, " "))
    if (misura(parola) > larghezza) return false;
  return true;
}

}  // namespace

bool InColonna(const PezzoTenuta& p) {
  return p.Tipo == TipoPezzo::Causa || p.Tipo == TipoPezzo::Apparecchio || p.Tipo == TipoPezzo::Firma;
}

std::vector<PostoColonna> PostiColonne(const std::vector<PezzoTenuta>& pezzi, double destra, double larghezza,
                                       double spazio, const std::function<double(const std::string&)>& misura) {
  std::vector<PostoColonna> posti(pezzi.size());
  auto righe = [&](const std::string& testo, double da, double a) {
    return static_cast<int>(SpezzaTesto(testo, a - da, a - da, misura).size());
  };
  for (size_t i = 0; i < pezzi.size();) {
    if (!InColonna(pezzi[i])) {
      ++i;
      continue;
    }
    size_t fine = i;
    while (fine < pezzi.size() && pezzi[fine].Tipo == pezzi[i].Tipo) ++fine;
    auto accanto = [&](size_t k) { return k > i && k < fine && pezzi[k].ColonnaDestra; };
    for (size_t k = i; k < fine; ++k) {
      PostoColonna& posto = posti[k];
      posto.accanto = accanto(k);
      posto.inizio = posto.accanto ? destra : 0;
      posto.fine = posto.accanto || !accanto(k + 1) ? larghezza : destra - spazio;
      posto.fineRiga = pezzi[k].FineRiga;
    }
    bool dueColonne = true;
    for (size_t k = i; k < fine; ++k)
      dueColonne = dueColonne && ParoleIntere(pezzi[k].Testo, posti[k].fine - posti[k].inizio, misura);
    for (size_t k = i; k < fine; ++k) {
      PostoColonna& posto = posti[k];
      if (!dueColonne) {
        // One a line: each ends its own, the last as the run ends.
        posto = PostoColonna{0, larghezza, false, k + 1 < fine || pezzi[k].FineRiga, 1};
      }
      posto.righe = righe(pezzi[k].Testo, posto.inizio, posto.fine);
    }
    // A row is as tall as its taller piece.
    for (size_t k = i; k < fine; ++k)
      if (posti[k].accanto) posti[k].righe = posti[k - 1].righe = std::max(posti[k].righe, posti[k - 1].righe);
    i = fine;
  }
  return posti;
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
  // Each line of the address only with something to say: no empty line, no separator alone.
  auto rigaPiena = [&p](const std::string& testo) {
    if (!Trim(testo).empty()) p.Riga(testo);
  };
  p.Riga("Dati dell'utente e/o proprietario", true);
  rigaPiena(t.ProprietarioNome);
  rigaPiena(UnisciParti({{"", t.ProprietarioVia, ""},
                         {PrimaDelCivico, t.ProprietarioNumero, ""},
                         {" scala ", t.ProprietarioScala, ""}}));
  rigaPiena(UnisciParti(
      {{"", t.ProprietarioComuneInstall, ""}, {" (", t.ProprietarioProv, ") "}, {" - ", t.ProprietarioCap, "", true}}));
  p.Vuota();

  // Owner.
  p.Riga("Proprietario (se diverso dall'occupante) ");
  if (t.ProprietarioNome2.empty()) {
    p.Riga("");
  } else {
    p.Riga(t.ProprietarioNome2);
    rigaPiena(UnisciParti({{"", t.ProprietarioVia2, ""},
                           {PrimaDelCivico, t.ProprietarioNumCiv, ""},
                           {" - ", t.ProprietarioComuneResid, "", true}}));
  }
  p.Riga("Durante l'intervento era presente il/la sig. " + t.ProprietarioPresente);
  p.Vuota();

  // Gas family.
  p.Testo("TIPO DI GAS: ", false, true);
  const char* famiglie[] = {"", "I famiglia", "II famiglia", "III famiglia"};
  // A label is never left with nothing after it: a non-combustible gas is named as such.
  p.Riga(t.FamigliaGas >= 1 && t.FamigliaGas <= 3      ? famiglie[t.FamigliaGas]
         : t.FamigliaGas == FamigliaNonAttribuibile ? "non associabile a nessuna famiglia"
                                                    : "gas non combustibile");
  p.Vuota();
  // The sentence only with a date or a time to give, and only the part it has.
  if (!Trim(t.DataEsecuzione).empty() || !Trim(t.OraEsecuzione).empty()) {
    std::string quando = "Intervento eseguito";
    if (!Trim(t.DataEsecuzione).empty()) quando += " il " + t.DataEsecuzione;
    if (!Trim(t.OraEsecuzione).empty()) quando += " alle ore " + t.OraEsecuzione;
    p.Riga(quando);
    p.Vuota();
  }

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
    p.Riga("Portata nominale minima: " + ConUnita(t.ProvaContQn, "(l/h)"));
    p.Riga("Pressione di prova: " + ConUnita(t.ProvaContPprova, "(Pa)"));
    p.Riga("Valore di dispersione rilevato: " + ConUnita(t.ProvaContDispRil, "(l/h)"));
    p.Riga("Pressione di riferimento (ricavata come da norma UNI): " + ConUnita(t.ProvaContPRif, "(Pa)"));
    p.Riga("Dispersione di riferimento (ricavata come da norma UNI): " + ConUnita(t.ProvaContDispRif, "(l/h)"));
    p.Vuota();
  } else if (t.Metodo == 2) {
    p.Riga("PROVA PRELIMINARE MEDIANTE RILEVAZIONE C.D.P.", true);
    p.Riga("Strumento tipo: " + t.ProvaCDPStrumento);
    p.Riga("Marca: " + t.ProvaCDPMarca);
    p.Riga("Matricola: " + t.ProvaCDPMatricola);
    p.Riga("Pressione di prova con gas di rete: " + ConUnita(t.ProvaCDPPprova, "(Pa)"));
    p.Riga("Caduta di pressione rilevata in un minuto: " + ConUnita(t.ProvaCDPcdp, "(Pa)"));
    p.Riga("Pressione di riferimento (ricavata come da norma UNI): " + ConUnita(t.ProvaCDPPrifer, "(Pa)"));
    p.Riga("Caduta di pressione massima in un minuto (ricavata come da norma UNI): " + ConUnita(t.ProvaCDPcdpmax, "(Pa)"));
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
  rigaPiena(t.RagSociale);
  rigaPiena(t.Indirizzo);
  rigaPiena(t.Telefono);
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
