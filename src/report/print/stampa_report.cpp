#include "report/print/stampa_report.h"

#include <array>
#include <cmath>
#include <vector>

#include "editor/tabella.h"
#include "model/calcolo.h"
#include "model/colonne.h"
#include "model/computo.h"
#include "model/files.h"
#include "model/helpers.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/strings.h"
#include "report/print/computo_report.h"
#include "report/print/copertina.h"
#include "report/print/pagina.h"
#include "report/print/sezioni.h"
#include "report/print/tenuta_report.h"
#include "schema/disegno.h"
#include "tightness/tenuta.h"

namespace varnex {

namespace {

IAttesaStampa* attesaStampa = nullptr;
IDiagrammaStampa* diagrammaStampa = nullptr;

// Without a progress window (tests of the sections alone) the run still works.
class AttesaMuta : public IAttesaStampa {
 public:
  void Mostra() override {}
  void PrintMsg(const std::string&) override {}
  void UpdateBar(int16_t, int16_t) override {}
  void Chiudi() override {}
};

IAttesaStampa& Attesa() {
  static AttesaMuta muta;
  return attesaStampa ? *attesaStampa : muta;
}

int32_t Lungo(double x) {
  auto v = ToInt32(x);
  if (!v) throw ErroreReport("valore fuori intervallo");
  return *v;
}

int16_t Intero(double x) {
  auto v = ToInt16(x);
  if (!v) throw ErroreReport("valore fuori intervallo");
  return *v;
}

void ControllaRete(int16_t net) {
  if (net < 0 || net > 1) throw ErroreReport("rete fuori intervallo");
}

// ---- Calculation tables ---------------------------------------------------------------------

struct VarianteTabella {
  bool Rete = false;              // measures at 8 pt
  bool ProvaPrimaDiFineRiga = false;
  int VuoteA9 = 0;                // how many of the two empty lines after the title are 9 pt lines
  bool ProvaDopoCaption = false;
  bool SottoIntestazioneMezzaRiga = false;  // first row half a line below the header rule
  const char* Margine = "XX";
  double FondoInMezzeRighe = 3;
  double Quota = 1;               // share of the usable width
};

void DisegnaTabella(IStampanteReport& p, ReportTable tabella, int16_t view, const std::string& titolo,
                    const VarianteTabella& v) {
  if (v.Rete) p.SetFontSize(8);

  const int16_t ultima = UltimaColonnaReport(view);
  int32_t somma = 0;
  for (int16_t c = 0; c <= ultima; ++c) somma += ColonneGriglia[static_cast<size_t>(view)][static_cast<size_t>(c)].PesoColonna;
  if (somma < -32768 || somma > 32767) throw ErroreReport("pesi delle colonne fuori intervallo");
  if (somma == 0) throw ErroreReport("pesi delle colonne nulli");
  const double larghezza = v.Quota * LarghezzaStampabile;
  const int32_t unita = Lungo(larghezza / somma);
  const int32_t cw = Lungo(p.TextWidth("X"));
  if (cw == 0) throw ErroreReport("carattere di larghezza nulla");
  const int32_t h = Lungo(p.TextHeight("X") / 2);
  std::array<int32_t, MaxColonneReport> w{}, x{};
  std::array<int16_t, MaxColonneReport> n{};
  for (int16_t c = 0; c <= ultima; ++c) {
    const int64_t wc = static_cast<int64_t>(ColonneGriglia[static_cast<size_t>(view)][static_cast<size_t>(c)].PesoColonna) * unita;
    w[c] = Lungo(static_cast<double>(wc));
    n[c] = Intero(std::floor(static_cast<double>(w[c]) / cw) + 1);
    if (c > 0) x[c] = x[c - 1] + w[c - 1];
  }

  // Title.
  if (v.ProvaPrimaDiFineRiga) {
    CheckPageBreak(8);
    p.FineRiga();
  } else {
    p.FineRiga();
    CheckPageBreak(8);
  }
  SetBold(p);
  p.SetFontSize(9);
  PrintTitle(p, titolo + " ", 12);
  for (int i = 0; i < 2; ++i) {
    if (i >= v.VuoteA9) p.SetFontSize(8);
    p.FineRiga();
  }
  p.SetFontSize(8);

  // Header, bold 8 pt.
  const double destra = larghezza;
  double y = std::round(p.CurrentY());
  for (int16_t c = 0; c <= ultima; ++c) {
    CaptionColonna caption = GetColumnCaption(view, c, n[c]);
    // A fitting's name over two lines takes no more characters than the column shows in the
    // heading's type, so that it never runs into the neighbouring captions.
    for (int16_t m = n[c]; caption.NomeSuDueRighe && m > 1 &&
                           (p.TextWidth(caption.Titolo) > w[c] || p.TextWidth(caption.Unita) > w[c]);)
      caption = GetColumnCaption(view, c, --m);
    const double H = p.TextHeight("X");
    p.Line(x[c], y - h, x[c], y + 3 * H);
    p.SetCurrentX(x[c] + (w[c] - p.TextWidth(caption.Titolo)) / 2);
    p.SetCurrentY(y - h / 2.0);
    p.Print(caption.Titolo, true);
    if (v.ProvaDopoCaption) CheckPageBreak();
    const std::string titoloColonna = Left(ColonneGriglia[static_cast<size_t>(view)][static_cast<size_t>(c)].Titolo, n[c]);
    // A name that goes on over the second line is centred on its own words, as the first line is.
    const std::string& allineaCon =
        caption.NomeSuDueRighe ? caption.Unita : (view == 9 ? titoloColonna : caption.Titolo);
    p.SetCurrentX(x[c] + (w[c] - p.TextWidth(allineaCon)) / 2);
    p.Print(caption.Unita, true);
    if (v.ProvaDopoCaption) CheckPageBreak();
  }
  {
    const double H = p.TextHeight("X");
    p.Line(destra, y - h, destra, y + 3 * H);
    p.Line(0, y - h, destra, y - h);
    p.Line(0, y + 2 * H, destra, y + 2 * H);
  }
  if (v.SottoIntestazioneMezzaRiga)
    p.SetCurrentY(p.CurrentY() + h);
  else
    p.FineRiga();
  p.SetFontSize(8);
  ResetBold(p);

  // Rows, regular 8 pt.
  const std::vector<int16_t> righe = GetReportRows(tabella);
  for (int16_t seg : righe) {
    CheckPageBreak(2);
    for (int16_t c = 0; c <= ultima; ++c) {
      y = std::round(p.CurrentY());
      p.Line(x[c], y, x[c], y + 1.5 * p.TextHeight("X"));
      p.SetCurrentY(y);
      const std::string s = GetCellText(view, c, seg, n[c]);
      p.SetCurrentX(x[c] + w[c] - p.TextWidth(s + v.Margine));
      // A value the calculation could not compute is marked red, as on the screen.
      const bool nonCalcolato = s == TestoNonCalcolabile;
      if (nonCalcolato) p.SetForeColor(colore::Rosso);
      p.Print(s, false);
      if (nonCalcolato) p.SetForeColor(colore::Nero);
    }
    y = std::round(p.CurrentY());
    p.Line(destra, y, destra, y + 1.5 * p.TextHeight("X"));
    p.SetCurrentY(y);
    p.FineRiga();
  }

  // End of the table.
  p.Line(0, y + v.FondoInMezzeRighe * h, destra, y + v.FondoInMezzeRighe * h);
  const std::optional<TotaleReport> totale = GetReportTotal(tabella, righe);
  if (!totale) {
    p.FineRiga();
    CheckPageBreak();
    p.FineRiga();
    CheckPageBreak();
    return;
  }
  const int16_t k = totale->Colonna;
  const size_t kk = static_cast<size_t>(k) < w.size() ? static_cast<size_t>(k) : 0;
  const std::string valore = GetReportTotalText(*totale, view, k <= ultima ? n[kk] : 0);
  p.FineRiga();
  p.SetCurrentX(0);
  p.Print(totale->Etichetta, false);
  p.SetCurrentX(x[kk] + w[kk] - p.TextWidth(valore + "XX"));
  p.Print(valore, false);
  if (tabella == ReportTable::WorstPathTable) CheckPageBreak();
  p.FineRiga();
  CheckPageBreak();
  p.FineRiga();
  CheckPageBreak();
}

// ---- Cover ----------------------------------------------------------------------------------

void StampaCopertinaComune(IStampanteReport& p) {
  const bool rete = ReteInPressione != 0;
  // Every value first: a value that cannot be computed stops the cover before anything is on paper.
  const std::vector<CampoCopertina> campi = GetCampiCopertina(RendererReport::Stampa);

  p.SetCurrentY(InizioCorpoPagina + 600);
  const TFontInfo salvato = GetFontInfo(p);
  const std::string& titolo = campi[0].EtichettaStampa;
  p.SetFontSize(24);
  p.SetFontBold(false);
  p.SetCurrentX((LarghezzaStampabile - p.TextWidth(titolo)) / 2);
  p.Print(titolo, true);
  p.SetFontBold(false);
  p.SetFontItalic(false);
  p.SetFontSize(18);
  p.SetCurrentX((LarghezzaStampabile - p.TextWidth("Relazione di calcolo")) / 2);
  p.Print("Relazione di calcolo", true);
  p.SetFontBold(false);
  p.SetFontSize(10);
  SetPrinterFont(p, "Arial");

  const int vuote = rete ? 2 : 5;
  auto righeVuote = [&](int quante) {
    for (int i = 0; i < quante; ++i) p.FineRiga();
  };
  auto stampaCampo = [&](const CampoCopertina& c) {
    SetBold(p);
    p.Print(c.EtichettaStampa, false);
    ResetBold(p);
    if (c.Riga == 4) {
      const int32_t x = Lungo(std::round(p.CurrentX()));
      const double larghezzaH = p.TextWidth("H");
      int16_t caratteri = larghezzaH > 0 ? Intero((p.Width() - p.CurrentX()) / larghezzaH - 10) : 1;
      if (caratteri < 1) caratteri = 1;
      int16_t altro = 0;
      p.Print(SpezzaTesto(caratteri, altro, c.Valore), true);
      while (altro > 0) {
        p.SetCurrentX(x);
        p.Print(SpezzaTesto(caratteri, altro), true);
      }
      return;
    }
    std::string testo = c.Valore;
    if (c.Riga == 8) testo += rete ? " kg/mc   " : " kg/mc";
    if (c.Riga == 9) testo += " mmq/s";
    if (c.Riga == 12 || c.Riga == 14 || c.Riga == 15) testo += " (" + c.ValoreParentesi;
    // A long value (the reference, the client's name) goes on under itself, inside the page.
    StampaAcapo(p, testo, true, p.CurrentX(), LarghezzaStampabile, false);
  };

  righeVuote(vuote);
  stampaCampo(campi[2]);
  righeVuote(2);
  stampaCampo(campi[3]);
  righeVuote(vuote);
  for (size_t i = 4; i < campi.size(); ++i) {
    if (i > 4) p.FineRiga();
    stampaCampo(campi[i]);
  }
  SetFontInfo(p, salvato);
}

// ---- Bill of quantities ---------------------------------------------------------------------

void StampaStriscia(IStampanteReport& p, const std::vector<DiametroComputo>& diametri, size_t da, size_t a, int32_t w,
                    int16_t c, int32_t h) {
  auto xCol = [&](int k) { return static_cast<double>(k) * w; };
  auto centra = [&](int k, const std::string& t) { p.SetCurrentX(xCol(k) + (w - p.TextWidth(t)) / 2); };
  const int32_t y0 = Lungo(p.CurrentY());
  const double th = p.TextHeight("X");
  SetBold(p);
  centra(0, "DN");
  p.SetCurrentY(y0);
  p.Print("DN", false);
  centra(0, "mt");
  p.SetCurrentY(y0 + 2 * th);
  p.Print("mt", true);
  ResetBold(p);
  int col = 1;
  for (size_t i = da; i < a; ++i) {
    p.Line(xCol(col), y0 - h, xCol(col), y0 + 3.5 * th);
    const std::string etichetta = Left(diametri[i].RifDiametro, c);
    SetBold(p);
    centra(col, etichetta);
    p.SetCurrentY(y0);
    p.Print(etichetta, false);
    ResetBold(p);
    CheckPageBreak();
    centra(col, diametri[i].Metri);
    p.SetCurrentY(y0 + 2 * th);
    p.Print(diametri[i].Metri, true);
    CheckPageBreak();
    ++col;
  }
  p.Line(xCol(col), y0 - h, xCol(col), y0 + 3.5 * th);
  p.Line(xCol(0), y0 + 1.5 * th, xCol(col), y0 + 1.5 * th);
  p.Line(xCol(1), y0 - h, xCol(col), y0 - h);
  p.Line(xCol(1), y0 + 3.5 * th, xCol(col), y0 + 3.5 * th);
  // Text goes on below the strip's bottom rule.
  p.SetCurrentX(0);
  p.SetCurrentY(y0 + 3 * th);
}

}  // namespace

void ImpostaAttesaStampa(IAttesaStampa* attesa) { attesaStampa = attesa; }
void ImpostaDiagrammaStampa(IDiagrammaStampa* diagramma) { diagrammaStampa = diagramma; }
IDiagrammaStampa* DiagrammaStampa() { return diagrammaStampa; }

// ---- Sections -------------------------------------------------------------------------------

void PrintCopertina(IStampanteReport& printer) {
  if (ReteInPressione != 0) {
    PrintCopertinaRete(printer);
    return;
  }
  StampaCopertinaComune(printer);
}

void PrintCopertinaRete(IStampanteReport& printer) { StampaCopertinaComune(printer); }

void PrintTronchi(IStampanteReport& printer, int16_t net) {
  if (ReteInPressione != 0) {
    PrintTronchiRete(printer, net);
    return;
  }
  ControllaRete(net);
  VarianteTabella v;
  v.VuoteA9 = 0;
  v.SottoIntestazioneMezzaRiga = true;
  v.Margine = "X";
  v.FondoInMezzeRighe = 2.5;
  DisegnaTabella(printer, ReportTable::SegmentTable, 1, GetReportTitle(ReportTable::SegmentTable), v);
}

void PrintTronchiRete(IStampanteReport& printer, int16_t net) {
  ControllaRete(net);
  VarianteTabella v;
  v.Rete = true;
  v.VuoteA9 = 2;
  v.SottoIntestazioneMezzaRiga = true;
  v.Margine = "X";
  DisegnaTabella(printer, ReportTable::SegmentTable, 6, GetReportTitle(ReportTable::SegmentTable), v);
}

void PrintPDCLocalizzate(IStampanteReport& printer, int16_t net) {
  if (ReteInPressione != 0) {
    PrintPDCLocalizzateRete(printer, net);
    return;
  }
  CalcolaRete();
  ControllaRete(net);
  VarianteTabella v;
  v.ProvaPrimaDiFineRiga = true;
  v.ProvaDopoCaption = true;
  DisegnaTabella(printer, ReportTable::LocalLossTable, 2, GetReportTitle(ReportTable::LocalLossTable), v);
}

void PrintPDCLocalizzateRete(IStampanteReport& printer, int16_t net) {
  CalcolaRete();
  ControllaRete(net);
  VarianteTabella v;
  v.Rete = true;
  v.ProvaPrimaDiFineRiga = true;
  v.ProvaDopoCaption = true;
  DisegnaTabella(printer, ReportTable::LocalLossTable, 9, GetReportTitle(ReportTable::LocalLossTable), v);
  DisegnaTabella(printer, ReportTable::EquivalentLengthTable, 10, GetReportTitle(ReportTable::EquivalentLengthTable), v);
}

void PrintPercorsoSfavorito(IStampanteReport& printer, int16_t net) {
  if (ReteInPressione != 0) {
    PrintPercorsoSfavoritoRete(printer, net);
    return;
  }
  ControllaRete(net);
  VarianteTabella v;
  v.VuoteA9 = 1;
  DisegnaTabella(printer, ReportTable::WorstPathTable, 3, GetReportTitle(ReportTable::WorstPathTable), v);
}

void PrintPercorsoSfavoritoRete(IStampanteReport& printer, int16_t net) {
  ControllaRete(net);
  VarianteTabella v;
  v.Rete = true;
  DisegnaTabella(printer, ReportTable::WorstPathTable, 7, GetReportTitle(ReportTable::WorstPathTable), v);
}

void PrintRiepilogoUtenze(IStampanteReport& printer, int16_t net) {
  if (ReteInPressione != 0) {
    PrintRiepilogoUtenzeRete(printer, net);
    return;
  }
  ControllaRete(net);
  VarianteTabella v;
  v.VuoteA9 = 1;
  DisegnaTabella(printer, ReportTable::ApplianceTable, 4, GetReportTitle(ReportTable::ApplianceTable), v);
}

void PrintRiepilogoUtenzeRete(IStampanteReport& printer, int16_t net) {
  ControllaRete(net);
  VarianteTabella v;
  v.Rete = true;
  v.Quota = 0.8;
  DisegnaTabella(printer, ReportTable::ApplianceTable, 8, GetReportTitle(ReportTable::ApplianceTable), v);
}

void PrintComputo(IStampanteReport& p, int16_t net) {
  ControllaRete(net);
  // The grid is measured in the font the section finds.
  const int16_t w = Intero(p.TextWidth("XXXXXX"));
  if (w <= 0) throw ErroreReport("colonna di larghezza nulla");
  const int32_t ultimaColonna = static_cast<int32_t>(std::floor(static_cast<double>(LarghezzaStampabile) / w)) - 1;
  const int32_t cx = Lungo(p.TextWidth("X"));
  if (cx <= 0) throw ErroreReport("carattere di larghezza nulla");
  const int16_t c = Intero(std::floor(static_cast<double>(w) / cx));
  const int32_t h = Lungo(p.TextHeight("X") / 2);
  // Diameter columns per strip: the grid has columns 1..L, and no more than 40.
  const int32_t perStriscia = std::min<int32_t>(ultimaColonna, 40);
  if (perStriscia < 1) throw ErroreReport("pagina troppo stretta per il computo");

  for (int i = 0; i < 4; ++i) {
    CheckPageBreak();
    p.FineRiga();
  }
  CheckPageBreak(18);
  SetBold(p);
  p.SetFontSize(9);
  PrintTitle(p, "Computo tubazioni", 12);
  p.SetFontSize(8);
  ResetBold(p);
  CheckPageBreak();
  p.FineRiga();
  CheckPageBreak();

  for (const SerieComputo& serie : GetSerieComputo()) {
    CheckPageBreak(14);
    p.FineRiga();
    p.FineRiga();
    SetBold(p);
    p.Print("Tipo tubazione: ", false);
    ResetBold(p);
    p.Print(serie.Nome, true);
    p.FineRiga();

    SetBold(p);
    p.Print("Descrizione: ", false);
    ResetBold(p);
    const double x0 = p.CurrentX();
    const double larghezzaH = p.TextWidth("H");
    int16_t caratteri = larghezzaH > 0 ? Intero((p.Width() - p.CurrentX()) / larghezzaH - 5) : 1;
    if (caratteri < 1) caratteri = 1;
    int16_t altro = 0;
    p.Print(SpezzaTesto(caratteri, altro, serie.Descrizione), true);
    while (altro > 0) {
      p.SetCurrentX(x0);
      p.Print(SpezzaTesto(caratteri, altro), true);
      CheckPageBreak();
    }
    p.FineRiga();
    CheckPageBreak();
    p.FineRiga();
    CheckPageBreak();
    if (serie.Acciaio) {
      p.Print("Peso totale: " + serie.PesoTesto + " Kg", true);
      CheckPageBreak();
    }
    p.FineRiga();
    CheckPageBreak();

    // One strip per run of diameters the page width holds; each strip is kept on one page.
    for (size_t da = 0; da < serie.Diametri.size() || da == 0; da += static_cast<size_t>(perStriscia)) {
      if (da > 0) {
        p.FineRiga();
        CheckPageBreak();
      }
      CheckPageBreak(5);
      const size_t a = std::min(serie.Diametri.size(), da + static_cast<size_t>(perStriscia));
      StampaStriscia(p, serie.Diametri, da, a, w, c, h);
      if (serie.Diametri.empty()) break;
    }
    p.FineRiga();
    CheckPageBreak();
  }

  for (int i = 0; i < 3; ++i) {
    p.FineRiga();
    CheckPageBreak();
  }
  if (MostraPesoTotaleAcciaio()) {
    SetBold(p);
    p.Print("Peso totale tubazioni in acciaio: ", false);
    ResetBold(p);
    p.Print(TestoPesoTotaleAcciaio() + " Kg", true);
    CheckPageBreak();
  }
}

void PrintTenutaImpianto(IStampanteReport& p, int16_t /*nonUsato*/) {
  p.SetFontSize(9);
  const int32_t destra = Lungo(LarghezzaStampabile / 2.0);
  CheckPageBreak();
  // The section may run longer than a page (long notes): every line end checks the page.
  for (const PezzoTenuta& pezzo : GetPezziTenuta()) {
    switch (pezzo.Tipo) {
      case TipoPezzo::RigaVuota:
        p.FineRiga();
        break;
      case TipoPezzo::Titolo:
        SetBold(p);
        PrintTitle(p, pezzo.Testo, 12);
        ResetBold(p);
        break;
      case TipoPezzo::Causa:
      case TipoPezzo::Apparecchio:
      case TipoPezzo::Firma: {
        if (pezzo.Grassetto) SetBold(p);
        // A text of the left column wraps before the right column, one of the right column at the
        // page's edge.
        const double inizio = pezzo.ColonnaDestra ? destra : 0;
        const double fine = pezzo.ColonnaDestra || pezzo.FineRiga ? LarghezzaStampabile : destra;
        p.SetCurrentX(inizio);
        StampaAcapo(p, pezzo.Testo, pezzo.FineRiga, inizio, fine);
        if (pezzo.Grassetto) ResetBold(p);
        break;
      }
      case TipoPezzo::Testo:
        if (pezzo.Grassetto) SetBold(p);
        StampaAcapo(p, pezzo.Testo, pezzo.FineRiga, 0, LarghezzaStampabile);
        if (pezzo.Grassetto) ResetBold(p);
        break;
    }
    if (pezzo.FineRiga) CheckPageBreak();
  }
}

void StampaTitoloDiagramma(IStampanteReport& p) {
  const std::string titolo = EstraiNomeFile(PercorsoProgetto) + " - Rete: " + Riferimento;
  if (AdattaSchemaPagina != 0) {
    p.SetCurrentY(100);
    p.SetCurrentX(100);
  } else {
    p.SetCurrentY(AltezzaStampabile - 1500);
    p.SetCurrentX((LarghezzaStampabile - 1700) - p.TextWidth(titolo));
  }
  const int32_t dimensione = Lungo(p.FontSize());
  p.SetFontSize(11);
  p.Print(titolo, true);
  p.SetFontSize(dimensione);
}

void PrintDiagrammaRete(IStampanteReport& printer, int16_t preview) {
  if (diagrammaStampa != nullptr) {
    diagrammaStampa->PrintDiagrammaRete(printer, preview);
    return;
  }
  StampaTitoloDiagramma(printer);
}

// ---- The run --------------------------------------------------------------------------------

double ScalaAdattaSchema(double dx, double dy, double pw, double ph) {
  const double sx = dx != 0 ? pw / dx : 1e9;
  const double sy = dy != 0 ? ph / dy : (dx != 0 ? 1e9 : 1.0);
  return sx < sy ? sx : sy;
}

bool PrintReport(int16_t preview) {
  IStampanteReport* stampante = StampanteReport();
  if (stampante == nullptr) {
    MsgBox(MessaggioErroreStampa, Bottoni::OK);
    return false;
  }
  IStampanteReport& p = *stampante;
  IAttesaStampa& attesa = Attesa();
  bool attesaAperta = false;
  try {
    if (p.Height() > 32000 || p.Width() > 32000) {
      MsgBox("La pagina e' troppo grande. Selezionare un formato piu' piccolo", Bottoni::OK);
      return false;
    }
    SchemaMaxX = SchemaMaxY = SchemaMinX = SchemaMinY = 0;
    EscludiSezioniSenzaOggetto();
    if (!ReteCalcolataPerReport()) return false;
    attesa.Mostra();
    attesaAperta = true;
    int16_t conta = 0;
    attesa.UpdateBar(0, NumSezioniStampa);
    SetupPage();
    const int32_t tre_quarti = Lungo(0.75 * p.Height());
    ResetPrinterFont(p);
    CalcolaRete();

    auto regolaTreQuarti = [&]() {
      if (p.CurrentY() > tre_quarti) {
        PrintPageFooter(p);
        p.NewPage();
        PrintPageHeader(p);
      }
    };

    attesa.UpdateBar(conta, NumSezioniStampa);
    if (StampaCopertina != 0) {
      attesa.PrintMsg(TestoAvanzamento(SezioneReport::Copertina));
      PrintCopertina(p);
      PrintPageFooter(p);
      ++conta;
      p.NewPage();
      if (SezioneContenutoSelezionata()) PrintPageHeader(p);
    }
    attesa.UpdateBar(conta, NumSezioniStampa);
    if (StampaTronchi != 0) {
      attesa.PrintMsg(TestoAvanzamento(SezioneReport::Tronchi));
      PrintBlankLines();
      PrintTronchi(p, 1);
      ++conta;
    }
    attesa.UpdateBar(conta, NumSezioniStampa);
    if (StampaPDCLocalizzate != 0) {
      attesa.PrintMsg(TestoAvanzamento(SezioneReport::PDCLocalizzate));
      regolaTreQuarti();
      PrintBlankLines();
      PrintPDCLocalizzate(p, 1);
      ++conta;
    }
    attesa.UpdateBar(conta, NumSezioniStampa);
    if (StampaVerifica != 0) {
      attesa.PrintMsg(TestoAvanzamento(SezioneReport::Verifica));
      regolaTreQuarti();
      PrintBlankLines();
      PrintPercorsoSfavorito(p, 1);
      ++conta;
    }
    attesa.UpdateBar(conta, NumSezioniStampa);
    if (StampaUtenze != 0) {
      attesa.PrintMsg(TestoAvanzamento(SezioneReport::Utenze));
      regolaTreQuarti();
      PrintBlankLines();
      PrintRiepilogoUtenze(p, 1);
      ++conta;
    }
    attesa.UpdateBar(conta, NumSezioniStampa);
    if (StampaComputo != 0) {
      ResetComputo();
      attesa.PrintMsg(TestoAvanzamento(SezioneReport::Computo));
      CalcolaComputo(1);
      attesa.PrintMsg(TestoTabellaComputo);
      regolaTreQuarti();
      PrintBlankLines();
      PrintComputo(p, 0);
      ++conta;
    }
    attesa.UpdateBar(conta, NumSezioniStampa);
    if (StampaTenutaImpianto != 0) {
      attesa.PrintMsg(TestoAvanzamento(SezioneReport::TenutaImpianto));
      if (conta > 0) {
        PrintPageFooter(p);
        p.NewPage();
        PrintPageHeader(p);
      }
      TenutaImpiantoRefresh();
      regolaTreQuarti();
      PrintTenutaImpianto(p, 0);
      PrintPageFooter(p);
      ++conta;
    }
    attesa.UpdateBar(conta, NumSezioniStampa);
    if (SezioneTabellaSelezionata() && StampaTenutaImpianto == 0) PrintPageFooter(p);
    if (StampaCopertina != 0 || SezioneContenutoSelezionata()) p.EndDoc();

    if (StampaDiagrammaRete != 0) {
      attesa.PrintMsg(TestoAvanzamento(SezioneReport::DiagrammaRete));
      if (!p.SetOrientation(2)) MsgBox("Impossibile impostare modalita' landscape", Bottoni::OK);
      SetupPage();
      PrintDiagrammaRete(p, preview);
      ++conta;
      p.EndDoc();
      p.SetOrientation(1);
    }
    attesa.UpdateBar(conta, NumSezioniStampa);
    attesa.Chiudi();
    AdattaSchemaPagina = 0;
    return true;
  } catch (const std::exception&) {
    MsgBox(MessaggioErroreStampa, Bottoni::OK);
    // The pages already drawn go out as they are; the next run starts a fresh portrait document.
    try {
      p.EndDoc();
      p.SetOrientation(1);
    } catch (const std::exception&) {
    }
    AdattaSchemaPagina = 0;
    if (attesaAperta) attesa.Chiudi();
  }
  return false;
}

}  // namespace varnex
