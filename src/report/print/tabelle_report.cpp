#include "report/print/tabelle_report.h"

#include "model/giudizi.h"
#include "model/calcolo.h"
#include "model/campi.h"
#include "model/colonne.h"
#include "model/rete.h"
#include "model/raccordi.h"
#include "model/numbers.h"
#include "model/strings.h"
#include "report/print/sezioni.h"

namespace varnex {

namespace {

const TColonnaGriglia& Colonna(int16_t view, int16_t col) {
  if (view < 0 || view >= NumLayoutGriglia || col < 0 || col >= MaxColonneGriglia)
    throw ErroreReport("colonna di report fuori intervallo");
  return ColonneGriglia[static_cast<size_t>(view)][static_cast<size_t>(col)];
}

std::string Taglia(const std::string& testo, int16_t maxChars) { return Left(testo, maxChars < 0 ? 0 : maxChars); }

// A name over two lines of at most maxChars characters: whole words on the first line while they
// fit (a first word too long is split), the rest on the second, cut to the width.
std::pair<std::string, std::string> DividiSuDueRighe(const std::string& nome, int16_t maxChars) {
  std::string prima;
  size_t pos = 0;
  while (pos < nome.size()) {
    size_t fine = nome.find(' ', pos);
    if (fine == std::string::npos) fine = nome.size();
    const std::string parola = nome.substr(pos, fine - pos);
    const std::string prova = prima.empty() ? parola : prima + " " + parola;
    if (static_cast<int32_t>(Len(prova)) > maxChars) break;
    prima = prova;
    pos = fine < nome.size() ? fine + 1 : fine;
  }
  if (prima.empty()) {
    prima = Left(nome, maxChars);
    pos = prima.size();
  }
  return {prima, Taglia(Trim(nome.substr(pos)), maxChars)};
}

bool IsSpc(int16_t codice) { return codice >= campo::ID_SPC5 && codice <= campo::ID_SPC10; }

// Codes that show "-" for 0 in each view.
bool TrattinoSeZero(int16_t view, int16_t codice) {
  using namespace campo;
  switch (view) {
    case 1: return codice == ID_P_UTENZE || codice == ID_LEN || codice == ID_VELOCITA || codice == ID_PDC_TRONCO;
    case 6: return codice == ID_LEN || codice == ID_VELOCITA || codice == ID_PDC_TRONCO;
    case 2:
      return codice == ID_LEN || codice == ID_NCURVE || codice == ID_NGOMITI || codice == ID_NRACCORDI ||
             codice == ID_NRUBINETTI || codice == ID_EQLENNOTA || codice == ID_EQ_LEN;
    case 9:
      return codice == ID_LEN || codice == ID_NCURVE || codice == ID_NGOMITI || codice == ID_NRACCORDI ||
             codice == ID_NRUBINETTI || IsSpc(codice);
    case 10: return codice == ID_LEN || codice == ID_EQLENNOTA || codice == ID_EQ_LEN || codice == ID_EQLENLOC;
    case 3:
    case 7:
      return codice == ID_P_UTENZE || codice == ID_LEN || codice == ID_VELOCITA || codice == ID_PDC_TRONCO ||
             codice == ID_PDC_PERCORSO;
    case 4:
    case 8: return codice == ID_P_UTENZE || codice == ID_P_KW || codice == ID_P_KCAL;
    default: return false;
  }
}

bool IsZero(const ValoreCampo& v) { return !IsVuoto(v) && !IsTesto(v) && NumeroCampo(v) == 0; }

}  // namespace

int16_t GetReportView(ReportTable table) {
  const bool rete = ReteInPressione != 0;
  switch (table) {
    case ReportTable::SegmentTable: return rete ? 6 : 1;
    case ReportTable::LocalLossTable: return rete ? 9 : 2;
    case ReportTable::EquivalentLengthTable: return 10;
    case ReportTable::WorstPathTable: return rete ? 7 : 3;
    case ReportTable::ApplianceTable: return rete ? 8 : 4;
  }
  return 1;
}

std::string GetReportTitle(ReportTable table) {
  switch (table) {
    case ReportTable::SegmentTable: return "Tabella dati tronchi";
    case ReportTable::LocalLossTable: return "Perdite di carico localizzate";
    case ReportTable::EquivalentLengthTable: return "Lunghezze equivalenti";
    case ReportTable::WorstPathTable: return "Analisi percorso più sfavorito";
    case ReportTable::ApplianceTable: return "Riepilogo utenze";
  }
  return {};
}

std::vector<int16_t> GetReportRows(ReportTable table) {
  std::vector<int16_t> righe;
  const int16_t n = ContoTronchi();
  if (table == ReportTable::WorstPathTable) {
    std::vector<int16_t> percorso;
    PercorsoSfavorito(percorso);
    // A path the calculation could not carry to its end has used up more than any other: the
    // worst path is the first that reaches a segment not computed, not the worst of the rest.
    for (int16_t s = 1; s <= n; ++s) {
      if (Tronco(s).Collegato == 0 || !IsTerminale(s) || !NonCalcolabile(s, campo::ID_PDC_PERCORSO)) continue;
      percorso.assign(1, 0);
      for (int16_t a = s; a >= 1 && a <= MaxTronchi && percorso.size() <= static_cast<size_t>(MaxTronchi);
           a = Tronco(a).ID_PREV)
        percorso.push_back(a);
      break;
    }
    for (size_t i = percorso.size(); i-- > 1;) {
      const int16_t s = percorso[i];
      if (s >= 1 && s <= MaxTronchi && Tronco(s).Collegato != 0) righe.push_back(s);
    }
    return righe;
  }
  for (int16_t s = 1; s <= n; ++s) {
    const TTronco& t = Tronco(s);
    if (t.Collegato == 0) continue;
    if (table == ReportTable::ApplianceTable && !(t.ID_P_UTENZE > 0)) continue;
    righe.push_back(s);
  }
  return righe;
}

int16_t UltimaColonnaReport(int16_t view) {
  if (view < 0 || view >= NumLayoutGriglia) throw ErroreReport("vista di report inesistente");
  const int16_t ultima = UltimaColonnaGriglia[static_cast<size_t>(view)];
  if (ultima >= MaxColonneReport) throw ErroreReport("troppe colonne nella tabella di report");
  return ultima;
}

CaptionColonna GetColumnCaption(int16_t view, int16_t col, int16_t maxChars) {
  const TColonnaGriglia& c = Colonna(view, col);
  CaptionColonna caption;
  caption.Titolo = Taglia(c.Titolo, maxChars);
  caption.Unita = Taglia(c.Unita, maxChars);
  if (view == 9) {
    if (IsSpc(c.IdCampo)) {
      // The fittings' own names often share their first word ("VALVOLA A SFERA", "VALVOLA DI
      // RITEGNO"): a name too long for one line goes on over the second, so that the columns
      // stay apart.
      const std::string nome = Trim(NomiSpeciali[static_cast<size_t>(c.IdCampo - campo::ID_SPC5 + 5)]);
      if (maxChars > 0 && static_cast<int32_t>(Len(nome)) > maxChars) {
        const auto righe = DividiSuDueRighe(nome, maxChars);
        caption.Titolo = righe.first;
        caption.Unita = righe.second;
        caption.NomeSuDueRighe = true;
        return caption;
      }
      caption.Titolo = nome;
    }
    caption.Titolo = Taglia(Trim(caption.Titolo), maxChars);
  }
  return caption;
}

std::string GetCellText(int16_t view, int16_t col, int16_t seg, int16_t maxChars) {
  const TColonnaGriglia& c = Colonna(view, col);
  if (col == 0) return Taglia(Trim(FormatMaschera(ValoreCampo(seg), c.Formato)), maxChars);
  const ValoreCampo valore = GetField(seg, c.IdCampo);
  const TTronco& t = Tronco(seg);
  std::string testo;
  bool fatto = false;
  if (c.IdCampo == campo::ID_P_TRONCO && (view == 6 || view == 7)) {
    if (t.ID_CONTEMP > 0 && t.ID_CONTEMP < 100) {
      testo = "[" + std::to_string(t.ID_CONTEMP) + "%] " + Trim(FormatMaschera(valore, c.Formato));
    } else if (IsZero(valore)) {
      testo = "-";
    } else {
      testo = FormatMaschera(valore, c.Formato);
    }
    fatto = true;
  } else if (c.IdCampo == campo::ID_PDC_PERCORSO && view == 1) {
    testo = (IsZero(valore) || t.ID_P_UTENZE == 0) ? "-" : FormatMaschera(valore, c.Formato);
    fatto = true;
  } else if (c.IdCampo == campo::ID_PFINALE && view == 6) {
    testo = IsTerminale(seg) ? FormatMaschera(valore, c.Formato) : "-";
    fatto = true;
  }
  if (!fatto) testo = (TrattinoSeZero(view, c.IdCampo) && IsZero(valore)) ? "-" : FormatMaschera(valore, c.Formato);
  testo = Trim(testo);
  // A "-" already says there is nothing to show; any other text of a marker would print it as a value.
  // A velocity's "-" would read as a gas at rest: one not computed says so.
  if (NonCalcolabile(seg, c.IdCampo) && (testo != "-" || c.IdCampo == campo::ID_VELOCITA))
    return Taglia(TestoNonCalcolabile, maxChars);
  if (!testo.empty() && testo != "-" && OltreLimite(seg, c.IdCampo, testo)) testo += MarcaOltreLimite;
  return Taglia(testo, maxChars);
}

std::string GetReportLimitNote(ReportTable table, const std::vector<int16_t>& rows) {
  const int16_t view = GetReportView(table);
  const int16_t ultima = UltimaColonnaReport(view);
  const std::string marca = MarcaOltreLimite;
  for (int16_t s : rows)
    for (int16_t col = 1; col <= ultima; ++col) {
      const std::string testo = GetCellText(view, col, s, 32767);
      if (testo.size() >= marca.size() && testo.compare(testo.size() - marca.size(), marca.size(), marca) == 0)
        return NotaOltreLimite;
    }
  return {};
}

std::string GetReportNetworkNote(ReportTable table, const std::vector<int16_t>& rows) {
  if (table != ReportTable::SegmentTable && table != ReportTable::WorstPathTable) return {};
  for (int16_t s : rows)
    if (NonCalcolabile(s, campo::ID_PDC_TRONCO)) return MotivoReteNonDimensionata();
  // A network with no pressure to spend is not sized even where every row holds a value.
  if (!rows.empty() && ReteInPressione && PressioneFinale >= PressioneIniziale) return MotivoReteNonDimensionata();
  return {};
}

std::optional<TotaleReport> GetReportTotal(ReportTable table, const std::vector<int16_t>& rows) {
  TotaleReport totale;
  if (table == ReportTable::WorstPathTable) {
    totale.Etichetta = "TOTALE PERDITA DI PRESSIONE:";
    bool superata = false;
    for (int16_t s : rows) {
      totale.Valore += Tronco(s).ID_PDC_TRONCO;
      superata = superata || OltreLimite(s, campo::ID_PDC_PERCORSO, {});
    }
    // One drop not computed leaves the sum not computed, not smaller by one.
    for (int16_t s : rows)
      if (NonCalcolabile(s, campo::ID_PDC_TRONCO)) totale.Valore = -1;
    totale.Colonna = 7;
    // The total alone does not tell a client that the design fails: the editor's red does. A network
    // with no pressure to spend was not sized at all: its sentence says so, not a budget below 0.
    if (ReteInPressione && BudgetPressione() <= 0) superata = false;
    if (superata)
      totale.Avviso = std::string(ReteInPressione ? "ATTENZIONE: PERDITA DI PRESSIONE DISPONIBILE SUPERATA ("
                                                  : "ATTENZIONE: PERDITA DI PRESSIONE MASSIMA AMMESSA SUPERATA (") +
                      TestoLimitePerditaPercorso() + ")";
    return totale;
  }
  if (table == ReportTable::ApplianceTable) {
    const int16_t view = GetReportView(table);
    totale.Etichetta = "TOTALE PORTATA GAS:";
    const int16_t ultima = UltimaColonnaReport(view);
    for (int16_t s : rows)
      for (int16_t col = 1; col <= ultima; ++col)
        if (Colonna(view, col).IdCampo == campo::ID_P_UTENZE)
          totale.Valore += static_cast<float>(NumeroCampo(GetField(s, campo::ID_P_UTENZE)));
    totale.Colonna = view == 8 ? 2 : 4;
    return totale;
  }
  return std::nullopt;
}

std::string GetReportTotalText(const TotaleReport& totale, int16_t view, int16_t maxChars) {
  if (totale.Valore < 0) return Taglia(TestoNonCalcolabile, maxChars);
  return Taglia(Trim(FormatMaschera(ValoreCampo(totale.Valore), Colonna(view, totale.Colonna).Formato)), maxChars);
}

}  // namespace varnex
