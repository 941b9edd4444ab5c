// The calculation tables in the text report: a title, one header line, one line per row with
// every cell followed by the separator, and the totals line of the path and appliance tables.
#include <string>

#include "model/calcolo.h"
#include "model/rete.h"
#include "report/files/report_txt.h"
#include "report/files/stampa_file.h"
#include "report/files/tabelle_file.h"
#include "report/print/tabelle_report.h"

namespace varnex {

namespace {

// A cell's text as one cell: a separator or a line break inside a free text (a reference pasted
// with its tab) would shift every later column of its line, or start a line of no table.
std::string CellaTXT(const std::string& testo) {
  std::string cella;
  for (size_t i = 0; i < testo.size();) {
    if (!SeparatoreTXT.empty() && testo.compare(i, SeparatoreTXT.size(), SeparatoreTXT) == 0) {
      cella += ' ';
      i += SeparatoreTXT.size();
      continue;
    }
    const char c = testo[i++];
    cella += c == '\r' || c == '\n' || c == '\t' ? ' ' : c;
  }
  return cella;
}

// Header and data lines of a table.
void ScriviCorpoTXT(ReportTable tabella, int16_t view, LayoutColonneFile layout) {
  const int16_t ultima = layout.Ultima;
  const std::vector<int16_t> righe = GetReportRows(tabella);
  const std::optional<TotaleReport> totale = GetReportTotal(tabella, righe);
  AllargaPerContenuto(layout, view, righe, totale);
  // Header cells carry the separator as the data cells do, so that every heading stays apart.
  for (int16_t c = 0; c <= ultima; ++c) {
    std::string intestazione;
    for (const std::string& riga : RigheIntestazioneFile(view, c, layout.Limite[c]))
      intestazione += (intestazione.empty() ? "" : " ") + riga;
    WriteText(intestazione + SeparatoreTXT, c == ultima ? -1 : 0);
  }
  for (int16_t seg : righe) {
    for (int16_t c = 0; c <= ultima; ++c)
      WriteText(CellaTXT(GetCellText(view, c, seg, layout.Limite[c])) + SeparatoreTXT, c == ultima ? -1 : 0);
  }
  const std::string nota = GetReportLimitNote(tabella, righe);
  if (totale) {
    const int16_t k = totale->Colonna;
    if (k < 0 || k >= MaxColonneFile) throw ErroreStampaFile(errore_file::IndiceFuoriIntervallo);
    const std::string valore = layout.Limite[k] > 0 ? GetReportTotalText(*totale, view, layout.Limite[k]) : "";
    WriteBlankLine();
    WriteTextLine(totale->Etichetta + " " + valore);
    if (!totale->Avviso.empty()) WriteTextLine(totale->Avviso);
  }
  if (const std::string rete = GetReportNetworkNote(tabella, righe); !rete.empty()) {
    WriteBlankLine();
    WriteTextLine(rete);
  }
  if (!nota.empty()) {
    WriteBlankLine();
    WriteTextLine(nota);
  }
}

void ScriviTabellaTXT(ReportTable tabella) {
  const int16_t view = GetReportView(tabella);
  const LayoutColonneFile layout = LayoutVista(view);
  WriteBlankLine();
  WriteTextLine(GetReportTitle(tabella));
  WriteBlankLine();
  ScriviCorpoTXT(tabella, view, layout);
}

}  // namespace

void PrintTronchiTXT(int16_t& net) {
  if (ReteInPressione) {
    PrintTronchiReteTXT(net);
    return;
  }
  ScriviTabellaTXT(ReportTable::SegmentTable);
}

void PrintTronchiReteTXT(int16_t& /*net*/) { ScriviTabellaTXT(ReportTable::SegmentTable); }

void PrintPDCLocalizzateTXT(int16_t& net) {
  if (ReteInPressione) {
    PrintPDCLocalizzateReteTXT(net);
    return;
  }
  CalcolaRete();
  ScriviTabellaTXT(ReportTable::LocalLossTable);
}

void PrintPDCLocalizzateReteTXT(int16_t& /*net*/) {
  CalcolaRete();
  // The localized losses run straight from their title into the header line.
  const int16_t view = GetReportView(ReportTable::LocalLossTable);
  const LayoutColonneFile layout = LayoutVista(view);
  WriteBlankLine();
  WriteText(GetReportTitle(ReportTable::LocalLossTable), 0);
  WriteText("", -1);
  ScriviCorpoTXT(ReportTable::LocalLossTable, view, layout);
  ScriviTabellaTXT(ReportTable::EquivalentLengthTable);
}

void PrintPercorsoSfavoritoTXT(int16_t& net) {
  if (ReteInPressione) {
    PrintPercorsoSfavoritoReteTXT(net);
    return;
  }
  ScriviTabellaTXT(ReportTable::WorstPathTable);
}

void PrintPercorsoSfavoritoReteTXT(int16_t& /*net*/) { ScriviTabellaTXT(ReportTable::WorstPathTable); }

void PrintRiepilogoUtenzeTXT(int16_t& net) {
  if (ReteInPressione) {
    PrintRiepilogoUtenzeReteTXT(net);
    return;
  }
  ScriviTabellaTXT(ReportTable::ApplianceTable);
}

void PrintRiepilogoUtenzeReteTXT(int16_t& /*net*/) { ScriviTabellaTXT(ReportTable::ApplianceTable); }

}  // namespace varnex
