// Editing the segment table in place, without a display: a scripted view stands for the window
// (its grid moves the current cell and copies the new cell's text into the editor, as the
// window's row-and-column handler does).
#include "editor/celle.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "editor/tabella.h"
#include "editor/ui/archivi_finestre.h"
#include "model/calcolo.h"
#include "model/campi.h"

namespace varnex {
namespace {

class VistaFinta : public IVistaCelle {
 public:
  struct Cella {
    std::string testo;
    int32_t fore = 0;
    int32_t back = colore::Bianco;
  };
  ModificaCelle* logica = nullptr;
  int16_t row = 1, col = 1, rowSel = 1, colSel = 1, rows = 200, cols = 14;
  std::map<std::pair<int16_t, int16_t>, Cella> celle;
  std::string editor;
  bool editorVisibile = false, tuttoSelezionato = false, pulsanteVisibile = false, listaVisibile = false;
  AreaTwips postoEditor, postoPulsante;
  std::string focus;
  std::vector<std::string> voci;
  int voce = -1;
  std::optional<bool> lucchetto;
  std::string stato;
  int elaborazioni = 0;
  std::deque<std::string> diametri;  // answers of the picker
  std::vector<int16_t> serieChieste;
  EsitoPortata portata;
  std::vector<int16_t> portateChieste, parametriChiesti;

  Cella& C(int16_t r, int16_t c) { return celle[{r, c}]; }

  int16_t Row() const override { return row; }
  int16_t Col() const override { return col; }
  int16_t RowSel() const override { return rowSel; }
  int16_t ColSel() const override { return colSel; }
  int16_t Rows() const override { return rows; }
  int16_t Cols() const override { return cols; }
  void SetRowCol(int16_t r, int16_t c) override {
    const bool cambia = r != row || c != col;
    row = rowSel = r;
    col = colSel = c;
    if (!cambia) return;
    // The window's row-and-column change: hides the editors and loads the new cell's text.
    editorVisibile = listaVisibile = false;
    ImpostaTestoEditor(C(r, c).testo, false);
  }
  void SetSelezione(int16_t r, int16_t c) override {
    rowSel = r;
    colSel = c;
  }
  std::string TextMatrix(int16_t r, int16_t c) const override {
    auto it = celle.find({r, c});
    return it == celle.end() ? std::string() : it->second.testo;
  }
  void SetTextMatrix(int16_t r, int16_t c, const std::string& t) override { C(r, c).testo = t; }
  int32_t CellForeColor(int16_t r, int16_t c) const override {
    auto it = celle.find({r, c});
    return it == celle.end() ? 0 : it->second.fore;
  }
  void SetCellForeColor(int16_t r, int16_t c, int32_t v) override { C(r, c).fore = v; }
  void SetCellBackColor(int16_t r, int16_t c, int32_t v) override { C(r, c).back = v; }
  void SetRedraw(bool) override {}
  AreaTwips RettangoloCella() const override { return {1000 + col * 100, 800 + row * 315, 900, 315}; }
  bool RigaInVista(int16_t riga) const override { return riga <= ultimaInVista; }
  int16_t ultimaInVista = 200;  // the rows below it are scrolled out of sight
  void FocusTabella() override { focus = "tabella"; }
  std::string TestoEditor() const override { return editor; }
  void ImpostaTestoEditor(const std::string& t, bool tutto) override {
    tuttoSelezionato = tutto;
    if (t == editor) return;
    editor = t;
    if (logica) logica->Text1_Change();
  }
  void MostraEditor(const AreaTwips& p) override {
    postoEditor = p;
    editorVisibile = true;
  }
  void NascondiEditor() override { editorVisibile = false; }
  void FocusEditor() override { focus = "editor"; }
  int LarghezzaPulsante() const override { return 255; }
  void MostraPulsante(const AreaTwips& p) override {
    postoPulsante = p;
    pulsanteVisibile = true;
  }
  void NascondiPulsante() override { pulsanteVisibile = false; }
  int NumeroVoci() const override { return static_cast<int>(voci.size()); }
  std::string TestoVoce(int i) const override { return voci[static_cast<size_t>(i)]; }
  void SelezionaVoce(int i) override {
    if (i == voce) return;
    voce = i;
    if (logica) logica->Combo1_Click();
  }
  std::string VoceScelta() const override { return voce >= 0 ? voci[static_cast<size_t>(voce)] : std::string(); }
  void MostraLista() override { listaVisibile = true; }
  void FocusLista() override { focus = "lista"; }
  void Lucchetto(bool chiuso) override { lucchetto = chiuso; }
  void TestoStato(const std::string& t) override { stato = t; }
  void Elaborazione() override { ++elaborazioni; }
  void AggiungiRigaGriglia() override {
    ++rows;
    SetNumTronchi(1, static_cast<int16_t>(Rete().NumTronchi + 1));
  }
  std::string ScegliDiametro(int16_t serie) override {
    serieChieste.push_back(serie);
    EXPECT_FALSE(diametri.empty()) << "unexpected diameter picker";
    if (diametri.empty()) return {};
    std::string r = diametri.front();
    diametri.pop_front();
    return r;
  }
  EsitoPortata PortataUtenza(bool, int16_t riga, float) override {
    portateChieste.push_back(riga);
    return portata;
  }
  void ParametriTronco(int16_t riga) override { parametriChiesti.push_back(riga); }
};

class CelleTest : public ::testing::Test {
 protected:
  test::ArchiviDistribuiti archivi_;
  VistaFinta v_;
  int16_t layout_ = 0;
  ModificaCelle m_{v_, layout_};

  void SetUp() override {
    test::ReteDiProva(false);
    v_.logica = &m_;
    v_.cols = static_cast<int16_t>(UltimaColonnaGriglia[0] + 1);
    for (int16_t i = 1; i <= NumMateriali; ++i) v_.voci.push_back(Materiali[static_cast<size_t>(i)][0].Nome);
    // The table as the rebuild leaves it: every cell shows its field.
    for (int16_t r = 1; r <= Rete().NumTronchi; ++r)
      for (int16_t c = 1; c < v_.cols; ++c) v_.C(r, c).testo = TestoGrezzo(r, 0, c);
    ProgettoModificato = 0;
  }

  static int16_t Colonna(int16_t codice) {
    for (int16_t j = 1; j <= UltimaColonnaGriglia[0]; ++j)
      if (ColonneGriglia[0][static_cast<size_t>(j)].IdCampo == codice) return j;
    ADD_FAILURE() << "no column " << codice;
    return 1;
  }
  void Vai(int16_t r, int16_t codice) { v_.SetRowCol(r, Colonna(codice)); }
  // Opens the editor on a cell with a click and types a text into it, as the window would.
  void Digita(int16_t r, int16_t codice, const std::string& testo) {
    Vai(r, codice);
    m_.GridEditing("");
    v_.ImpostaTestoEditor(testo, false);
    m_.Text1_KeyUp();
  }
  void Invio() {
    std::string c = "\r";
    m_.Text1_KeyPress(c);
    EXPECT_EQ(c, "");
  }
  test::FakeInterazione& U() { return archivi_.Utente(); }
};

// ---- Placing the editors --------------------------------------------------------------------

TEST(PosizionaEditorTest, EditorAndButtonKeepTheCellsProportions) {
  const AreaTwips cella{100, 200, 900, 315};
  const PosizioneEditor senza = PosizionaEditor(cella, 255, false);
  EXPECT_EQ(senza.Editor, (AreaTwips{100, 245, 900, 236}));
  const PosizioneEditor con = PosizionaEditor(cella, 255, true);
  EXPECT_EQ(con.Editor, (AreaTwips{100, 245, 645, 236}));
  EXPECT_EQ(con.Pulsante, (AreaTwips{745, 200, 255, 315}));
}

// ---- Opening an editor ----------------------------------------------------------------------

TEST_F(CelleTest, HeaderFixedColumnAndReadOnlyColumnsOpenNothing) {
  m_.TestoOriginale = "prima";
  const int16_t solaLettura = Colonna(campo::ID_DIAMETRO_INTERNO);
  for (auto [r, c] : {std::pair<int16_t, int16_t>{0, 3}, {2, 0}, {2, solaLettura}}) {
    v_.row = r;
    v_.col = c;
    m_.GridEditing("");
    EXPECT_EQ(m_.TestoOriginale, "prima");
    EXPECT_EQ(m_.StatoEditazione, 0);
    EXPECT_FALSE(v_.editorVisibile);
  }
}

TEST_F(CelleTest, ADigitOnALengthCellReplacesTheTextWithTheCaretAfterIt) {
  Vai(2, campo::ID_LEN);
  const std::string prima = v_.TextMatrix(2, Colonna(campo::ID_LEN));
  m_.GridEditing("7");
  EXPECT_EQ(v_.TextMatrix(2, Colonna(campo::ID_LEN)), "7");
  EXPECT_EQ(v_.editor, "7");
  EXPECT_FALSE(v_.tuttoSelezionato);
  EXPECT_EQ(m_.TestoOriginale, prima);
  // The key is an edit: a click elsewhere stores it, as the cell already shows it.
  EXPECT_TRUE(m_.EditorModificato);
  EXPECT_EQ(m_.StatoEditazione, 2);
  EXPECT_TRUE(v_.editorVisibile);
  EXPECT_FALSE(v_.pulsanteVisibile);
  EXPECT_EQ(v_.focus, "editor");
  EXPECT_EQ(v_.postoEditor.Larghezza, 900);
}

TEST_F(CelleTest, EnterOrBackspaceOpensWithTheWholeTextSelected) {
  for (const std::string s : {"\r", "\b", ""}) {
    Vai(3, campo::ID_LEN);
    m_.GridEditing(s);
    EXPECT_EQ(v_.editor, "15");
    EXPECT_TRUE(v_.tuttoSelezionato);
    EXPECT_EQ(v_.TextMatrix(3, Colonna(campo::ID_LEN)), "15");
  }
}

TEST_F(CelleTest, TheApplianceFlowOpensOnEndSegmentsOrWhereAnOwnFlowRemains) {
  struct Caso {
    int16_t slot;
    float propria;
    bool apre;
  } casi[] = {{1, 0, false}, {1, 0.5f, true}, {2, 0, true}, {2, 1.2f, true}};
  for (const Caso& c : casi) {
    Tronco(c.slot).ID_P_UTENZE = c.propria;
    m_.StatoEditazione = 1;
    v_.editorVisibile = false;
    Vai(c.slot, campo::ID_P_UTENZE);
    m_.GridEditing("");
    EXPECT_EQ(v_.editorVisibile, c.apre) << c.slot << " " << c.propria;
    EXPECT_EQ(m_.StatoEditazione, c.apre ? 2 : 1);
  }
}

TEST_F(CelleTest, TheMaterialListOpensOnTheSegmentsSeriesOrThePreviousOneOnTheEntryRow) {
  Tronco(4).ID_MATERIALE = v_.voci[2];
  Tronco(4).IndiceMateriale = 3;
  Vai(4, campo::ID_MATERIALE);
  m_.GridEditing("");
  EXPECT_EQ(v_.voce, 2);
  EXPECT_TRUE(v_.listaVisibile);
  EXPECT_FALSE(v_.editorVisibile);
  EXPECT_EQ(v_.focus, "lista");
  EXPECT_EQ(m_.StatoEditazione, 2);
  EXPECT_EQ(v_.stato, Materiali[3][0].Descrizione);

  Vai(5, campo::ID_MATERIALE);  // the entry row below segment 4
  m_.GridEditing("");
  EXPECT_EQ(v_.voce, 2);

  ResetRete();
  DefaultMateriale = v_.voci[1];
  Vai(1, campo::ID_MATERIALE);
  m_.GridEditing("");
  EXPECT_EQ(v_.voce, 1);
  DefaultMateriale = "nessuna serie";
  v_.voce = -1;
  m_.GridEditing("");
  EXPECT_EQ(v_.voce, 0);
}

TEST_F(CelleTest, ADiameterCellTurnsWhiteAndShowsTheButtonAndThePadlock) {
  Tronco(3).ID_DIAMCUSTOM = -1;
  Vai(3, campo::ID_DIAMETRO);
  m_.GridEditing("");
  const int16_t c = Colonna(campo::ID_DIAMETRO);
  EXPECT_EQ(v_.C(3, c).back, colore::Bianco);
  EXPECT_TRUE(v_.pulsanteVisibile);
  EXPECT_EQ(v_.postoPulsante.Sinistra + v_.postoPulsante.Larghezza, 1000 + c * 100 + 900);
  EXPECT_EQ(v_.postoEditor.Larghezza, 900 - 255);
  EXPECT_EQ(v_.lucchetto, true);
  EXPECT_EQ(m_.RigaDiametro, 3);
  EXPECT_EQ(m_.ColonnaDiametro, c);
  Vai(2, campo::ID_DIAMETRO);
  m_.GridEditing("");
  EXPECT_EQ(v_.lucchetto, false);
}

// ---- Cell commit ----------------------------------------------------------------------------

TEST_F(CelleTest, ALengthWithADecimalCommaIsStoredAndShownAsTheTableShowsIt) {
  Digita(2, campo::ID_LEN, "12,5");
  Invio();
  EXPECT_FLOAT_EQ(Tronco(2).ID_LEN, 12.5f);
  EXPECT_EQ(v_.TextMatrix(2, Colonna(campo::ID_LEN)), "12,50");
  EXPECT_EQ(ProgettoModificato, -1);
  EXPECT_EQ(v_.elaborazioni, 2);  // after the commit, and after the cursor moved
}

TEST_F(CelleTest, ReferenceAndEquivalentLengthAndFlowFollowTheirRules) {
  Digita(4, campo::ID_RIF, "  caldaia bagno ");
  Invio();
  EXPECT_EQ(Tronco(4).ID_RIF, "CALDAIA BAGNO");
  EXPECT_EQ(v_.TextMatrix(4, Colonna(campo::ID_RIF)), "CALDAIA BAGNO");

  // An own flow equal to the stored one leaves the segment flow alone; 0 sets both.
  Tronco(2).ID_P_TRONCO = 9;
  Digita(2, campo::ID_P_UTENZE, "1.2");
  Invio();
  EXPECT_FLOAT_EQ(Tronco(2).ID_P_TRONCO, 9);
  Digita(2, campo::ID_P_UTENZE, "2");
  Invio();
  EXPECT_FLOAT_EQ(Tronco(2).ID_P_UTENZE, 2);
  EXPECT_FLOAT_EQ(Tronco(2).ID_P_TRONCO, 2);
  Tronco(2).ID_P_TRONCO = 9;
  Digita(2, campo::ID_P_UTENZE, "0");
  Invio();
  EXPECT_FLOAT_EQ(Tronco(2).ID_P_UTENZE, 0);
  EXPECT_FLOAT_EQ(Tronco(2).ID_P_TRONCO, 0);
}

TEST_F(CelleTest, ANumberBeyondASingleLeavesTheFieldAsItWas) {
  U().Attendi("non e' un numero valido per la lunghezza");
  Digita(2, campo::ID_LEN, "1E+60");
  Invio();
  EXPECT_FLOAT_EQ(Tronco(2).ID_LEN, 10);
}

// The pressurised layout shows the simultaneity as an editable column: what is typed there is
// stored with the limits of the segment-parameters dialog.
TEST_F(CelleTest, TheSimultaneityColumnOfAPressurisedNetworkIsStoredWithinItsLimits) {
  test::ReteDiProva(true);
  layout_ = 5;
  v_.cols = static_cast<int16_t>(UltimaColonnaGriglia[5] + 1);
  int16_t colonna = 0;
  for (int16_t j = 1; j < v_.cols; ++j)
    if (ColonneGriglia[5][static_cast<size_t>(j)].IdCampo == campo::ID_CONTEMP) colonna = j;
  ASSERT_NE(colonna, 0);
  for (int16_t r = 1; r <= Rete().NumTronchi; ++r)
    for (int16_t c = 1; c < v_.cols; ++c) v_.C(r, c).testo = TestoGrezzo(r, 5, c);
  struct Caso {
    const char* testo;
    int16_t atteso;
    const char* cella;
  } casi[] = {{"50", 50, "50"}, {"75,4", 75, "75"}, {"5", 10, "10"}, {"250", 100, "100"}};
  for (const Caso& c : casi) {
    ProgettoModificato = 0;
    v_.SetRowCol(3, colonna);
    m_.GridEditing("");
    v_.ImpostaTestoEditor(c.testo, false);
    m_.Text1_KeyUp();
    Invio();
    EXPECT_EQ(Tronco(3).ID_CONTEMP, c.atteso) << c.testo;
    EXPECT_EQ(v_.TextMatrix(3, colonna), c.cella) << c.testo;
    EXPECT_EQ(ProgettoModificato, -1);
  }
}

// The series labels use a point ("28x1.5"): a label typed with a decimal comma still names it.
TEST_F(CelleTest, ADiameterTypedWithADecimalCommaFindsTheSeriesLabel) {
  std::string nome = "RAME-B";
  const int16_t rame = CercaMateriale(nome);
  ASSERT_GT(rame, 0);
  Tronco(2).ID_MATERIALE = "RAME-B";
  Tronco(2).IndiceMateriale = rame;
  Digita(2, campo::ID_DIAMETRO, "28x1,5");
  Invio();
  EXPECT_EQ(Tronco(2).ID_DIAMETRO, "28x1.5");
  EXPECT_EQ(Tronco(2).ID_DIAMCUSTOM, -1);
}

struct CasoNumeroRifiutato {
  int16_t codice;
  const char* testo;
  const char* messaggio;
};
// A failing case names itself, not its bytes.
void PrintTo(const CasoNumeroRifiutato& c, std::ostream* os) { *os << "colonna " << c.codice << ", \"" << c.testo << '"'; }

class NumeroRifiutatoTest : public CelleTest, public ::testing::WithParamInterface<CasoNumeroRifiutato> {};

// A length of "abc" read as 0 m, or of -5 m, sized the network on a pipe that does not exist.
TEST_P(NumeroRifiutatoTest, IsRefusedWithAMessageAndTheOldValueStays) {
  const CasoNumeroRifiutato& c = GetParam();
  const TRete prima = Rete();
  const int16_t colonna = Colonna(c.codice);
  const std::string testoPrima = v_.TextMatrix(2, colonna);
  U().Attendi(c.messaggio);
  Digita(2, c.codice, c.testo);
  Invio();
  ASSERT_EQ(U().messaggi.size(), 1u);
  EXPECT_EQ(U().messaggi.back().testo, c.messaggio);
  EXPECT_EQ(U().messaggi.back().icona, Icona::Esclamazione);
  for (int16_t s = 1; s <= 4; ++s) EXPECT_EQ(Tronco(s), prima.Tronchi[static_cast<size_t>(s)]) << s;
  EXPECT_EQ(v_.TextMatrix(2, colonna), testoPrima);
  EXPECT_EQ(ProgettoModificato, 0);
  EXPECT_EQ(v_.elaborazioni, 0);
  // The cursor stays on the cell, the editor closed.
  EXPECT_EQ(v_.row, 2);
  EXPECT_EQ(v_.col, colonna);
  EXPECT_FALSE(v_.editorVisibile);
  EXPECT_EQ(m_.StatoEditazione, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, NumeroRifiutatoTest,
    ::testing::Values(
        CasoNumeroRifiutato{campo::ID_LEN, "abc", "\"abc\" non e' un numero valido per la lunghezza.\r\nIl valore non e' stato cambiato."},
        CasoNumeroRifiutato{campo::ID_LEN, "-5", "La lunghezza non puo' essere negativa.\r\nIl valore non e' stato cambiato."},
        CasoNumeroRifiutato{campo::ID_LEN, "12m", "\"12m\" non e' un numero valido per la lunghezza.\r\nIl valore non e' stato cambiato."},
        // Quoted as typed, not with its commas turned into points.
        CasoNumeroRifiutato{campo::ID_LEN, "1,2,3", "\"1,2,3\" non e' un numero valido per la lunghezza.\r\nIl valore non e' stato cambiato."},
        CasoNumeroRifiutato{campo::ID_P_UTENZE, "1,5,0", "\"1,5,0\" non e' un numero valido per la portata dell'utenza.\r\nIl valore non e' stato cambiato."},
        CasoNumeroRifiutato{campo::ID_LEN, "", "\"\" non e' un numero valido per la lunghezza.\r\nIl valore non e' stato cambiato."},
        CasoNumeroRifiutato{campo::ID_P_UTENZE, "due", "\"due\" non e' un numero valido per la portata dell'utenza.\r\nIl valore non e' stato cambiato."},
        CasoNumeroRifiutato{campo::ID_P_UTENZE, "-1,5", "La portata dell'utenza non puo' essere negativa.\r\nIl valore non e' stato cambiato."},
        CasoNumeroRifiutato{campo::ID_PREV, "x", "\"x\" non e' un numero valido per il tronco di provenienza.\r\nIl valore non e' stato cambiato."}));

TEST(NumeroCellaTest, ReadsOnlyAWholeDecimalNumber) {
  EXPECT_EQ(NumeroCella(" 12.5 "), 12.5);
  EXPECT_EQ(NumeroCella("12,5"), 12.5);
  EXPECT_EQ(NumeroCella("-3"), -3);
  EXPECT_EQ(NumeroCella(".5"), 0.5);
  EXPECT_EQ(NumeroCella("7."), 7);
  for (const char* t : {"", " ", ".", "-", "abc", "12a", "1.2.3", "1e3", "- 3"}) EXPECT_FALSE(NumeroCella(t)) << t;
}

TEST_F(CelleTest, ACommitOnADeletedSlotClearsItsDeletedFlag) {
  Tronco(3).Eliminato = -1;
  Digita(3, campo::ID_LEN, "4");
  Invio();
  EXPECT_EQ(Tronco(3).Eliminato, 0);
  EXPECT_FLOAT_EQ(Tronco(3).ID_LEN, 4);
}

TEST_F(CelleTest, AValueGoesToEveryRowOfTheSelectionAlsoWhenDraggedUpward) {
  Vai(3, campo::ID_LEN);
  v_.rowSel = 1;  // dragged from row 3 up to row 1
  v_.editor = "7";
  m_.SaveGridCell();
  for (int16_t s = 1; s <= 3; ++s) EXPECT_FLOAT_EQ(Tronco(s).ID_LEN, 7) << s;
  EXPECT_FLOAT_EQ(Tronco(4).ID_LEN, 20);
}

TEST_F(CelleTest, WithoutAutomaticRecalculationACommitOnlyMarksTheProject) {
  RicalcoloAutomatico = 0;
  Digita(2, campo::ID_LEN, "3");
  Invio();
  EXPECT_EQ(v_.elaborazioni, 0);
  EXPECT_EQ(ProgettoModificato, -1);
}

struct CasoProvenienza {
  const char* testo;
  const char* messaggio;
  const char* cellaDopo;
};
void PrintTo(const CasoProvenienza& c, std::ostream* os) { *os << '"' << c.testo << '"'; }

class ProvenienzaRifiutataTest : public CelleTest, public ::testing::WithParamInterface<CasoProvenienza> {};

TEST_P(ProvenienzaRifiutataTest, AWrongParentIsRefusedAndNothingChanges) {
  const CasoProvenienza& c = GetParam();
  U().Attendi(c.messaggio);
  const TRete prima = Rete();
  Digita(3, campo::ID_PREV, c.testo);
  m_.SaveGridCell();
  EXPECT_EQ(U().messaggi.back().testo, c.messaggio);
  for (int16_t s = 1; s <= 4; ++s) EXPECT_EQ(Tronco(s), prima.Tronchi[static_cast<size_t>(s)]) << s;
  EXPECT_EQ(v_.TextMatrix(3, Colonna(campo::ID_PREV)), c.cellaDopo);
  EXPECT_EQ(ProgettoModificato, 0);
  EXPECT_EQ(v_.elaborazioni, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, ProvenienzaRifiutataTest,
    ::testing::Values(CasoProvenienza{"3", "Il tronco non puo' provenire da se stesso!", "3"},
                      // 2.6 would be stored as 3: the segment itself.
                      CasoProvenienza{"2.6", "Il tronco non puo' provenire da se stesso!", "2.6"},
                      CasoProvenienza{"201", "Valore di provenienza troppo alto", ""},
                      CasoProvenienza{"-1", "Valori  negativi non validi", ""}));

TEST_F(CelleTest, AParentWithTwoDerivationsLeavesTheSegmentWithoutParent) {
  U().Attendi("Errore! Il tronco 1 ha gia' due derivazioni");
  Digita(4, campo::ID_PREV, "1");
  Invio();
  EXPECT_EQ(U().messaggi.back().testo, "Errore! Il tronco 1 ha gia' due derivazioni");
  EXPECT_EQ(Tronco(4).ID_PREV, 0);
  EXPECT_EQ(Tronco(3).ID_LEFT, 0);  // its previous parent no longer links to it
  EXPECT_EQ(Tronco(1).ID_LEFT, 2);
  EXPECT_EQ(Tronco(1).ID_RIGHT, 3);
}

TEST_F(CelleTest, ReparentingUnderAnApplianceAsksFirst) {
  // No: the tree stays as it was.
  U().Attendi("Il tronco di provenienza e' una utenza!\r\n Azzero la portata?", Risposta::No);
  Digita(4, campo::ID_PREV, "2");
  Invio();
  EXPECT_EQ(U().messaggi.back().bottoni, Bottoni::SiNo);
  EXPECT_EQ(U().messaggi.back().icona, Icona::Domanda);
  EXPECT_EQ(Tronco(4).ID_PREV, 3);
  EXPECT_EQ(Tronco(3).ID_LEFT, 4);
  EXPECT_EQ(Tronco(2).ID_LEFT, 0);
  // Yes: segment 4 hangs from segment 2, whose own flow goes as the user agreed: the calculation
  // has nothing left to warn about.
  v_.C(4, Colonna(campo::ID_PREV)).testo = "3";  // as the table shows it again
  Tronco(2).ID_CONTEMP = 80;
  U().Attendi("Azzero la portata?", Risposta::Si);
  Digita(4, campo::ID_PREV, "2");
  Invio();
  EXPECT_EQ(Tronco(4).ID_PREV, 2);
  EXPECT_EQ(Tronco(3).ID_LEFT, 0);
  EXPECT_EQ(Tronco(2).ID_LEFT, 4);
  EXPECT_EQ(Tronco(2).ID_P_UTENZE, 0.0f);
  EXPECT_EQ(Tronco(2).ID_CONTEMP, 100);
  const size_t messaggi = U().messaggi.size();
  CalcolaRete();
  EXPECT_EQ(U().messaggi.size(), messaggi);
}

TEST_F(CelleTest, UnlinkingCutsOnlyTheLinkThatNamesTheSegment) {
  // A damaged network: 4 names 3 as parent, 3 links only to 2.
  Tronco(3).ID_LEFT = 2;
  Tronco(3).ID_RIGHT = 0;
  Tronco(1).ID_LEFT = 0;
  Tronco(1).ID_RIGHT = 3;
  Digita(4, campo::ID_PREV, "1");
  Invio();
  EXPECT_EQ(Tronco(3).ID_LEFT, 2);
  EXPECT_EQ(Tronco(1).ID_LEFT, 4);
  EXPECT_EQ(Tronco(4).ID_PREV, 1);
}

// Segment 1 stays the network's start; the rows after it in the range take the parent typed, not
// the "0" of row 1 (which unlinked them all without a word).
TEST_F(CelleTest, AParentForARangeWithRowOneKeepsRowOneAsTheStartAndMovesTheOthers) {
  Vai(1, campo::ID_PREV);
  v_.rowSel = 2;
  v_.editor = "3";
  m_.SaveGridCell();
  EXPECT_TRUE(U().messaggi.empty());
  EXPECT_EQ(Tronco(1).ID_PREV, 0);
  EXPECT_EQ(v_.TextMatrix(1, Colonna(campo::ID_PREV)), "0");
  EXPECT_EQ(Tronco(2).ID_PREV, 3);
  EXPECT_EQ(v_.TextMatrix(2, Colonna(campo::ID_PREV)), "3");
  EXPECT_EQ(Tronco(1).ID_LEFT, 0);  // 2 left its parent...
  EXPECT_EQ(Tronco(3).ID_RIGHT, 2);  // ...for 3
}

// A parent typed for a range is judged for the whole range before any row changes: the ways it
// would break the network are refused, an unlinking is asked first, naming the segments.
struct CasoIntervallo {
  const char* nome;
  int16_t prima, ultima;
  const char* testo;
  const char* messaggio;
  Risposta risposta;  // to a question
  bool cambia;        // whether the network changes
};
void PrintTo(const CasoIntervallo& c, std::ostream* os) { *os << c.nome; }

class ProvenienzaIntervalloTest : public CelleTest, public ::testing::WithParamInterface<CasoIntervallo> {};

TEST_P(ProvenienzaIntervalloTest, IsJudgedWholeBeforeAnyRowChanges) {
  const CasoIntervallo& c = GetParam();
  U().Attendi(c.messaggio, c.risposta);
  const TRete prima = Rete();
  const int16_t colonna = Colonna(campo::ID_PREV);
  std::vector<std::string> celle;
  for (int16_t s = 1; s <= 4; ++s) celle.push_back(v_.TextMatrix(s, colonna));
  // Ctrl+A and a digit: the whole table selected, the editor open on the current cell.
  Vai(c.prima, campo::ID_PREV);
  v_.rowSel = c.ultima;
  m_.GridEditing("");
  v_.ImpostaTestoEditor(c.testo, false);
  m_.SaveGridCell();
  ASSERT_EQ(U().messaggi.size(), 1u);
  EXPECT_EQ(U().messaggi.back().testo, c.messaggio);
  bool cambiata = false;
  for (int16_t s = 1; s <= 4; ++s) cambiata = cambiata || !(Tronco(s) == prima.Tronchi[static_cast<size_t>(s)]);
  EXPECT_EQ(cambiata, c.cambia);
  if (!c.cambia) {
    for (int16_t s = 1; s <= 4; ++s) EXPECT_EQ(v_.TextMatrix(s, colonna), celle[static_cast<size_t>(s - 1)]) << s;
    EXPECT_EQ(ProgettoModificato, 0);
    EXPECT_EQ(v_.elaborazioni, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Casi, ProvenienzaIntervalloTest,
    ::testing::Values(
        CasoIntervallo{"UnlinkAnsweredNo", 1, 4, "0", "Scollegare i tronchi 2-4?", Risposta::No, false},
        CasoIntervallo{"UnlinkAnsweredYes", 1, 4, "0", "Scollegare i tronchi 2-4?", Risposta::Si, true},
        CasoIntervallo{"OneOfTheRangeAsParent", 1, 4, "3",
                       "Il tronco non puo' provenire da se stesso!\r\nIl tronco 3 e' tra quelli selezionati: il valore "
                       "non e' stato cambiato.",
                       Risposta::OK, false},
        CasoIntervallo{"ADescendantAsParent", 2, 3, "4",
                       "Il tronco 4 deriva dal tronco 3: non puo' esserne il tronco di provenienza.\r\nIl valore non "
                       "e' stato cambiato.",
                       Risposta::OK, false},
        CasoIntervallo{"MoreThanTwoDerivations", 2, 4, "1",
                       "Il tronco 1 non puo' avere piu' di due derivazioni: il tronco 4 non e' stato collegato.",
                       Risposta::OK, false}),
    [](const ::testing::TestParamInfo<CasoIntervallo>& info) { return std::string(info.param.nome); });

// A range reaching rows scrolled out of sight changes more than the user sees selected: asked
// first, naming the segments it moves; "No" changes nothing.
TEST_F(CelleTest, ARangeReachingRowsOutOfSightIsAskedFirst) {
  v_.ultimaInVista = 3;
  const TRete prima = Rete();
  U().Attendi("Collegare i tronchi 3-4 al tronco 2?", Risposta::No);
  Vai(3, campo::ID_PREV);
  v_.rowSel = 4;
  m_.GridEditing("");
  v_.ImpostaTestoEditor("2", false);
  m_.SaveGridCell();
  ASSERT_EQ(U().messaggi.size(), 1u);
  for (int16_t s = 1; s <= 4; ++s) EXPECT_EQ(Tronco(s), prima.Tronchi[static_cast<size_t>(s)]) << s;
  // All in sight: no such question (the appliance's own question comes, as for one row).
  v_.ultimaInVista = 200;
  U().Attendi("Azzero la portata?", Risposta::No);
  Vai(3, campo::ID_PREV);
  v_.rowSel = 4;
  m_.GridEditing("");
  v_.ImpostaTestoEditor("2", false);
  m_.SaveGridCell();
  EXPECT_EQ(U().messaggi.back().testo.find("Collegare"), std::string::npos);
}

// One row given its own descendant as parent would close a loop and take its subtree out of the
// network.
TEST_F(CelleTest, ASegmentUnderItsOwnDescendantIsRefused) {
  const TRete prima = Rete();
  U().Attendi("Il tronco 4 deriva dal tronco 3: non puo' esserne il tronco di provenienza.\r\nIl valore non e' stato "
              "cambiato.");
  Digita(3, campo::ID_PREV, "4");
  Invio();
  ASSERT_EQ(U().messaggi.size(), 1u);
  for (int16_t s = 1; s <= 4; ++s) EXPECT_EQ(Tronco(s), prima.Tronchi[static_cast<size_t>(s)]) << s;
}

TEST_F(CelleTest, DiameterRules) {
  const std::string etichetta = Materiali[1][3].RifDiametro;
  const std::string altra = Materiali[1][4].RifDiametro;
  const int16_t c = Colonna(campo::ID_DIAMETRO);

  // A label of the series fixes the diameter and paints the cell red.
  Digita(2, campo::ID_DIAMETRO, etichetta);
  Invio();
  EXPECT_EQ(Tronco(2).ID_DIAMETRO, etichetta);
  EXPECT_EQ(Tronco(2).ID_DIAMCUSTOM, -1);
  EXPECT_EQ(v_.C(2, c).fore, colore::Rosso);
  EXPECT_EQ(v_.lucchetto, true);
  EXPECT_EQ(v_.C(2, c).back, colore::GialloChiaro);

  // The same label on a fixed diameter keeps it fixed.
  v_.C(2, c).fore = 0;
  v_.C(2, c).testo = "Auto";  // typed over another text, so it is a change
  Digita(2, campo::ID_DIAMETRO, etichetta);
  Invio();
  EXPECT_EQ(Tronco(2).ID_DIAMCUSTOM, -1);
  EXPECT_EQ(v_.C(2, c).fore, colore::Rosso);

  // "auto" in any case releases it and keeps the old label for the calculation.
  Digita(2, campo::ID_DIAMETRO, "aUtO");
  Invio();
  EXPECT_EQ(Tronco(2).ID_DIAMCUSTOM, 0);
  EXPECT_EQ(Tronco(2).ID_DIAMETRO, etichetta);
  EXPECT_EQ(v_.C(2, c).fore, colore::Nero);
  EXPECT_EQ(v_.lucchetto, false);

  // The stored label on a diameter that is not fixed changes nothing.
  v_.lucchetto.reset();
  Digita(2, campo::ID_DIAMETRO, etichetta);
  Invio();
  EXPECT_EQ(Tronco(2).ID_DIAMCUSTOM, 0);
  EXPECT_EQ(v_.lucchetto, false);
  EXPECT_EQ(v_.C(2, c).fore, colore::Nero);

  // A label the series lacks releases a fixed diameter.
  Tronco(3).ID_DIAMETRO = altra;
  Tronco(3).ID_DIAMCUSTOM = -1;
  Digita(3, campo::ID_DIAMETRO, "XX");
  Invio();
  EXPECT_EQ(Tronco(3).ID_DIAMCUSTOM, 0);
  EXPECT_EQ(Tronco(3).ID_DIAMETRO, altra);
}

TEST_F(CelleTest, AQuestionMarkInTheDiameterTextOpensThePickerForEveryRow) {
  const std::string etichetta = Materiali[1][2].RifDiametro;
  Vai(2, campo::ID_DIAMETRO);
  v_.rowSel = 3;
  v_.editor = "?";
  v_.diametri = {etichetta};
  m_.SaveGridCell();
  EXPECT_EQ(v_.serieChieste, (std::vector<int16_t>{1}));
  EXPECT_EQ(Tronco(2).ID_DIAMETRO, etichetta);
  EXPECT_EQ(Tronco(3).ID_DIAMETRO, etichetta);
}

// ---- Material commit ------------------------------------------------------------------------

TEST_F(CelleTest, AMaterialGoesToTheRangeAndReleasesDiametersTheSeriesLacks) {
  // Series 2 holds the label of segment 2 but not the one of segment 3.
  std::string comune;
  for (int16_t k = 1; k <= Materiali[2][0].NumDiametri && comune.empty(); ++k)
    if (CercaDiametro(1, Materiali[2][static_cast<size_t>(k)].RifDiametro) != 0)
      comune = Materiali[2][static_cast<size_t>(k)].RifDiametro;
  ASSERT_FALSE(comune.empty());
  Tronco(2).ID_DIAMETRO = comune;
  Tronco(2).ID_DIAMCUSTOM = -1;
  Tronco(3).ID_DIAMETRO = "non in serie";
  Tronco(3).ID_DIAMCUSTOM = -1;
  Vai(2, campo::ID_MATERIALE);
  m_.GridEditing("");
  v_.rowSel = 3;
  v_.SelezionaVoce(1);
  m_.Combo1_KeyPress(13);
  for (int16_t s : {2, 3}) {
    EXPECT_EQ(Tronco(s).ID_MATERIALE, v_.voci[1]);
    EXPECT_EQ(Tronco(s).IndiceMateriale, 2);
  }
  EXPECT_EQ(Tronco(2).ID_DIAMCUSTOM, -1);
  EXPECT_EQ(Tronco(3).ID_DIAMCUSTOM, 0);
  EXPECT_EQ(v_.TextMatrix(2, Colonna(campo::ID_MATERIALE)), v_.voci[1]);
  EXPECT_EQ(v_.col, Colonna(campo::ID_MATERIALE) + 1);  // Enter moves right
  EXPECT_EQ(v_.rowSel, v_.row);
  EXPECT_EQ(v_.elaborazioni, 1);
  EXPECT_EQ(m_.StatoEditazione, 1);
  EXPECT_EQ(v_.focus, "tabella");
  EXPECT_EQ(ProgettoModificato, 0);  // left to the calculation
}

TEST_F(CelleTest, LeavingTheMaterialListCommitsWithoutMoving) {
  CursoreBloccato = 0;
  Vai(4, campo::ID_MATERIALE);
  m_.GridEditing("");
  v_.SelezionaVoce(2);
  m_.Combo1_LostFocus();
  EXPECT_EQ(Tronco(4).IndiceMateriale, 3);
  EXPECT_EQ(v_.col, Colonna(campo::ID_MATERIALE));
}

TEST_F(CelleTest, AnEmptyMaterialListCommitsNothing) {
  v_.voci.clear();
  Vai(4, campo::ID_MATERIALE);
  m_.GridEditing("");
  m_.Combo1_KeyPress(13);
  EXPECT_EQ(Tronco(4).ID_MATERIALE, Materiali[1][0].Nome);
  EXPECT_EQ(m_.StatoEditazione, 1);
}

// ---- Keys and navigation --------------------------------------------------------------------

TEST_F(CelleTest, EnterSkipsTheFlowColumnOfAnInnerSegmentOnly) {
  Digita(1, campo::ID_PREV, "0");
  Invio();
  EXPECT_EQ(v_.col, Colonna(campo::ID_LEN));
  Digita(2, campo::ID_PREV, "1");
  Invio();
  EXPECT_EQ(v_.col, Colonna(campo::ID_P_UTENZE));
  EXPECT_FALSE(v_.editorVisibile);
  EXPECT_EQ(m_.StatoEditazione, 1);
  EXPECT_FALSE(m_.EditorModificato);
  EXPECT_EQ(v_.focus, "tabella");
}

TEST_F(CelleTest, EnterAtTheEndOfARowGoesToTheNextRowAndMakesTheEntryRowASegment) {
  const int16_t ultima = Colonna(campo::ID_RIF);
  ASSERT_EQ(ultima, UltimaColonnaGriglia[0]);
  Digita(2, campo::ID_RIF, "a");
  Invio();
  EXPECT_EQ(v_.row, 3);
  EXPECT_EQ(v_.col, 1);

  Digita(5, campo::ID_RIF, "nuovo");
  Invio();
  EXPECT_EQ(Rete().NumTronchi, 5);
  EXPECT_EQ(Tronco(5).ID_RIF, "NUOVO");
  EXPECT_EQ(v_.row, 6);

  // On the table's last row the cursor stays on that row.
  v_.rows = 7;
  Digita(6, campo::ID_RIF, "b");
  Invio();
  EXPECT_EQ(v_.row, 6);
  EXPECT_EQ(v_.col, 1);
  EXPECT_EQ(Rete().NumTronchi, 6);
}

// A parent noted on the entry row before it had a flow: the question comes when the row becomes a
// segment and the link is made, with the flow the parent has then; nothing noted answers it.
class DomandaAlCollegamentoTest : public CelleTest, public ::testing::WithParamInterface<Risposta> {};

TEST_P(DomandaAlCollegamentoTest, IsAskedWhenTheLinkIsMadeWithTheParentsFlowThen) {
  const Risposta risposta = GetParam();
  Tronco(2).ID_P_UTENZE = 0;
  Digita(5, campo::ID_PREV, "2");
  Invio();
  EXPECT_TRUE(U().messaggi.empty()) << "asked before any link was made";
  Tronco(2).ID_P_UTENZE = 2.5f;  // the flow given to segment 2 meanwhile
  U().Attendi("Il tronco di provenienza e' una utenza!\r\n Azzero la portata?", risposta);
  Digita(5, campo::ID_RIF, "cucina");
  Invio();
  ASSERT_EQ(U().messaggi.size(), 1u);
  ASSERT_EQ(Rete().NumTronchi, 5);
  if (risposta == Risposta::No) {
    EXPECT_FLOAT_EQ(Tronco(2).ID_P_UTENZE, 2.5f);
    EXPECT_EQ(Tronco(2).ID_LEFT, 0);
    EXPECT_EQ(Tronco(5).ID_PREV, 0);
  } else {
    EXPECT_EQ(Tronco(2).ID_P_UTENZE, 0.0f);
    EXPECT_EQ(Tronco(2).ID_LEFT, 5);
    EXPECT_EQ(Tronco(5).ID_PREV, 2);
  }
}

INSTANTIATE_TEST_SUITE_P(Risposte, DomandaAlCollegamentoTest, ::testing::Values(Risposta::No, Risposta::Si),
                         [](const ::testing::TestParamInfo<Risposta>& info) {
                           return std::string(info.param == Risposta::Si ? "Si" : "No");
                         });

// A row a delete left blank keeps the parent noted on it, also through a save and a reopen; a
// length that makes it a segment again links it, and the link asks first: a "Si" given when the
// parent was noted is no answer to it.
TEST_F(CelleTest, ABlankRowWithANotedParentAsksWhenItBecomesASegment) {
  EliminaTronco(2);
  ASSERT_TRUE(SlotVuoto(2));
  Tronco(2).ID_PREV = 4;  // as a project read back holds it
  U().Attendi("Il tronco di provenienza e' una utenza!\r\n Azzero la portata?", Risposta::No);
  Digita(2, campo::ID_LEN, "3");
  Invio();
  ASSERT_EQ(U().messaggi.size(), 1u);
  EXPECT_FALSE(SlotVuoto(2));
  EXPECT_FLOAT_EQ(Tronco(4).ID_P_UTENZE, 2.5f);
  EXPECT_EQ(Tronco(4).ID_LEFT, 0);
  EXPECT_EQ(Tronco(2).ID_PREV, 0);
}

// A network of two segments, a reference typed far below it: nothing of it may become a
// segment, and the entry row adds exactly one.
TEST_F(CelleTest, EnterPastTheLastSegmentAddsAtMostOneSegment) {
  // An earlier project left results and data in slots 3 to 6.
  for (int16_t s = 3; s <= 6; ++s) {
    Tronco(s).ID_VELOCITA = 4.5f;
    Tronco(s).ID_PDC_PERCORSO = 80;
    Tronco(s).ID_PFINALE = 190;
  }
  ResetRete();
  for (int16_t s = 3; s <= 6; ++s) {
    EXPECT_FLOAT_EQ(Tronco(s).ID_VELOCITA, 0) << s;
    EXPECT_FLOAT_EQ(Tronco(s).ID_PDC_PERCORSO, 0) << s;
    EXPECT_FLOAT_EQ(Tronco(s).ID_PFINALE, 0) << s;
  }
  test::ReteDiProva(false);
  Rete().NumTronchi = 2;
  Tronco(1).ID_RIGHT = 0;
  for (auto& [posto, cella] : v_.celle)
    if (posto.first > 2) cella.testo.clear();

  Digita(6, campo::ID_RIF, "X");
  EXPECT_FALSE(v_.editorVisibile);
  EXPECT_NE(m_.StatoEditazione, 2);
  EXPECT_EQ(Rete().NumTronchi, 2);
  EXPECT_EQ(Tronco(6).ID_RIF, "");

  Digita(3, campo::ID_RIF, "nuovo");
  Invio();
  EXPECT_EQ(Rete().NumTronchi, 3);
  EXPECT_EQ(Tronco(3).ID_RIF, "NUOVO");
}

TEST_F(CelleTest, WithTheCursorLockEnterCommitsInPlace) {
  CursoreBloccato = -1;
  Digita(2, campo::ID_LEN, "8");
  Invio();
  EXPECT_EQ(v_.col, Colonna(campo::ID_LEN));
  EXPECT_FLOAT_EQ(Tronco(2).ID_LEN, 8);
  Digita(5, campo::ID_RIF, "x");
  Invio();
  EXPECT_EQ(v_.row, 5);
  EXPECT_EQ(Rete().NumTronchi, 5);
  CursoreBloccato = 0;
}

TEST_F(CelleTest, EnterNeverRaisesTheSegmentCountPastTheSlots) {
  Rete().NumTronchi = MaxTronchi;
  v_.rows = 202;
  Vai(201, campo::ID_RIF);
  m_.GridEditing("z");
  EXPECT_EQ(m_.StatoEditazione, 0);  // row 201 has no slot behind it
  Digita(200, campo::ID_RIF, "z");
  Invio();
  EXPECT_EQ(Rete().NumTronchi, MaxTronchi);
}

TEST_F(CelleTest, ArrowsCommitAndMoveWithinTheTable) {
  struct Caso {
    int16_t tasto, riga, colonna;
    int16_t rigaDopo, colonnaDopo;
  } casi[] = {{37, 2, 1, 2, 1}, {38, 1, 3, 1, 3}, {39, 2, 3, 2, 4}, {40, 2, 3, 3, 3}, {37, 2, 3, 2, 2}};
  for (const Caso& c : casi) {
    v_.SetRowCol(c.riga, c.colonna);
    m_.GridEditing("");
    ProgettoModificato = 0;
    EXPECT_TRUE(m_.Text1_KeyDown(c.tasto));
    EXPECT_EQ(ProgettoModificato, 0) << "an untouched cell commits nothing";
    EXPECT_EQ(v_.row, c.rigaDopo);
    EXPECT_EQ(v_.col, c.colonnaDopo);
    EXPECT_EQ(m_.StatoEditazione, 1);
    EXPECT_FALSE(v_.editorVisibile);
  }
}

TEST_F(CelleTest, EscPutsTheOriginalTextBack) {
  Vai(2, campo::ID_LEN);
  m_.GridEditing("9");
  EXPECT_TRUE(m_.Text1_KeyDown(27));
  EXPECT_EQ(v_.TextMatrix(2, Colonna(campo::ID_LEN)), "10");
  EXPECT_FLOAT_EQ(Tronco(2).ID_LEN, 10);
  EXPECT_EQ(m_.StatoEditazione, 1);
  EXPECT_FALSE(v_.editorVisibile);
  EXPECT_FALSE(m_.Text1_KeyDown(65));
}

TEST_F(CelleTest, TypedCharactersReachTheCellAndKeyUpMirrorsTheEditor) {
  Vai(2, campo::ID_LEN);
  m_.GridEditing("1");
  std::string c = "2";
  m_.Text1_KeyPress(c);
  EXPECT_EQ(c, "2");
  EXPECT_EQ(v_.TextMatrix(2, Colonna(campo::ID_LEN)), "12");
  v_.editor = "12";
  m_.Text1_KeyUp();
  EXPECT_EQ(v_.TextMatrix(2, Colonna(campo::ID_LEN)), "12");
  // Outside editing the editor lets characters through untouched.
  m_.StatoEditazione = 1;
  std::string invio = "\r";
  m_.Text1_KeyPress(invio);
  EXPECT_EQ(invio, "\r");
}

TEST_F(CelleTest, LeavingTheEditorCommitsOneRowButNotASelectionOfSeveral) {
  Digita(2, campo::ID_LEN, "6");
  m_.Text1_LostFocus();
  EXPECT_FLOAT_EQ(Tronco(2).ID_LEN, 6);
  EXPECT_EQ(m_.StatoEditazione, 1);
  EXPECT_FALSE(m_.EditorModificato);

  Digita(3, campo::ID_LEN, "6");
  v_.rowSel = 4;
  m_.Text1_LostFocus();
  EXPECT_FLOAT_EQ(Tronco(3).ID_LEN, 15);
  EXPECT_EQ(m_.StatoEditazione, 1);
  EXPECT_EQ(v_.rowSel, 4);  // the selection is kept
}

TEST_F(CelleTest, LeavingTheEditorPaintsTheLargestDiameterDarkRedWhenTheDropIsTooHigh) {
  // A series with numeric labels, its largest diameter on segment 4.
  const int16_t serie = 4;
  const int16_t n = Materiali[serie][0].NumDiametri;
  const std::string massimo = Materiali[serie][static_cast<size_t>(n)].RifDiametro;
  ASSERT_EQ(massimo, "200");
  Tronco(4).IndiceMateriale = serie;
  const int16_t c = Colonna(campo::ID_DIAMETRO);
  Tronco(4).ID_PDC_PERCORSO = PDCMassima() + 10;
  v_.C(4, c).testo = massimo;
  Vai(4, campo::ID_DIAMETRO);
  m_.GridEditing("");
  m_.StatoEditazione = 1;
  m_.Text1_LostFocus();
  EXPECT_EQ(v_.C(4, c).back, colore::RossoScuro);
  // Judged on the diameter's own segment, wherever the cursor stands now.
  Tronco(2).ID_PDC_PERCORSO = PDCMassima() + 10;
  Tronco(4).ID_PDC_PERCORSO = 0;
  v_.SetRowCol(2, 3);
  m_.Text1_LostFocus();
  EXPECT_EQ(v_.C(4, c).back, colore::GialloChiaro);
  EXPECT_EQ(v_.row, 2);
  EXPECT_EQ(v_.col, 3);
}

// ---- Cell actions ---------------------------------------------------------------------------

TEST_F(CelleTest, QuestionMarkOnALengthOpensTheSegmentDialogOnExistingSegmentsOnly) {
  Vai(5, campo::ID_LEN);
  m_.GridEditing("");
  std::string c = "?";
  m_.Text1_KeyPress(c);
  EXPECT_EQ(c, "");
  EXPECT_TRUE(v_.parametriChiesti.empty());

  RicalcoloAutomatico = 0;
  Digita(3, campo::ID_LEN, "4");
  c = "?";
  m_.Text1_KeyPress(c);
  EXPECT_EQ(v_.parametriChiesti, (std::vector<int16_t>{3}));
  // The editor closed before the dialog: the typed length is in the record the dialog loads.
  EXPECT_FLOAT_EQ(Tronco(3).ID_LEN, 4);
  EXPECT_EQ(m_.StatoEditazione, 1);
  EXPECT_EQ(v_.elaborazioni, 0);
  RicalcoloAutomatico = -1;
  m_.Text1_DblClick();
  EXPECT_EQ(v_.elaborazioni, 1);
}

TEST_F(CelleTest, TheFlowDialogActsOnEndSegmentsAndAlwaysRecalculates) {
  Vai(1, campo::ID_P_UTENZE);
  m_.Text1_DblClick();
  EXPECT_TRUE(v_.portateChieste.empty());

  RicalcoloAutomatico = 0;
  v_.portata = {true, 3.5f, 2, "101000"};
  Vai(2, campo::ID_P_UTENZE);
  m_.Text1_DblClick();
  EXPECT_EQ(v_.portateChieste, (std::vector<int16_t>{2}));
  EXPECT_FLOAT_EQ(Tronco(2).ID_P_UTENZE, 3.5f);
  EXPECT_FLOAT_EQ(Tronco(2).ID_P_TRONCO, 3.5f);
  EXPECT_EQ(Tronco(2).TipologiaUtenza, 2);
  EXPECT_EQ(Tronco(2).ComposizioneUtenza, "101000");
  EXPECT_EQ(v_.elaborazioni, 1);

  // A pressurised network keeps the burner composition; a cancelled dialog writes nothing.
  ReteInPressione = -1;
  Tronco(4).ComposizioneUtenza = "000001";
  v_.portata = {true, 1, 3, "0"};
  Vai(4, campo::ID_P_UTENZE);
  m_.Text1_DblClick();
  EXPECT_EQ(Tronco(4).ComposizioneUtenza, "000001");
  EXPECT_EQ(Tronco(4).TipologiaUtenza, 3);
  v_.portata = {false, 9, 1, ""};
  m_.Text1_DblClick();
  EXPECT_FLOAT_EQ(Tronco(4).ID_P_UTENZE, 1);
  EXPECT_EQ(v_.elaborazioni, 2);
}

TEST_F(CelleTest, QuestionMarkOnADiameterCommitsTheEditorTextAlsoWhenThePickerIsCancelled) {
  const std::string etichetta = Materiali[1][3].RifDiametro;
  Digita(2, campo::ID_DIAMETRO, etichetta);
  v_.diametri = {""};
  std::string c = "?";
  m_.Text1_KeyPress(c);
  EXPECT_EQ(Tronco(2).ID_DIAMETRO, etichetta);
  EXPECT_EQ(Tronco(2).ID_DIAMCUSTOM, -1);
  EXPECT_FALSE(v_.pulsanteVisibile);
  EXPECT_EQ(v_.serieChieste, (std::vector<int16_t>{1}));
}

TEST_F(CelleTest, TheButtonCommitsOnlyAChosenLabel) {
  Tronco(2).ID_DIAMETRO = Materiali[1][3].RifDiametro;
  Tronco(2).ID_DIAMCUSTOM = -1;
  Vai(2, campo::ID_DIAMETRO);
  m_.GridEditing("");
  m_.Text1_LostFocus();  // the button takes the keyboard
  ProgettoModificato = 0;
  v_.diametri = {""};
  m_.cmdDettagliDiametro_Click();
  EXPECT_EQ(ProgettoModificato, 0);
  EXPECT_EQ(Tronco(2).ID_DIAMCUSTOM, -1);
  EXPECT_FALSE(v_.pulsanteVisibile);

  v_.diametri = {"Auto"};
  m_.cmdDettagliDiametro_Click();
  EXPECT_EQ(Tronco(2).ID_DIAMCUSTOM, 0);
  EXPECT_EQ(ProgettoModificato, -1);
}

TEST_F(CelleTest, ACommandCommitsTheOpenEdit) {
  Digita(2, campo::ID_LEN, "33");
  m_.ConfermaModificaInCorso();
  EXPECT_FLOAT_EQ(Tronco(2).ID_LEN, 33);
  EXPECT_EQ(m_.StatoEditazione, 1);
  ProgettoModificato = 0;
  m_.ConfermaModificaInCorso();
  EXPECT_EQ(ProgettoModificato, 0);
}

}  // namespace
}  // namespace varnex
