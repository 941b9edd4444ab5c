// The HTML and text report files written end to end from small calculated networks, with the
// windows played by a recording stand-in: the files and what lies beside them, the page frame and
// its breaks, the separators of the text file, escaping, and every way a run can fail.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/archivi_scrittura_bloccata.h"
#include "model/calcolo.h"
#include "model/calcolo_prova.h"
#include "model/campi.h"
#include "model/colonne.h"
#include "model/files.h"
#include "model/globals.h"
#include "model/numbers.h"
#include "model/raccordi.h"
#include "model/rete.h"
#include "model/strings.h"
#include "model/textfile.h"
#include "report/files/report_html.h"
#include "schema/etichette.h"
#include "report/files/report_txt.h"
#include "report/files/stampa_file.h"
#include "report/files/stampa_file_interno.h"
#include "report/files/tabelle_file.h"
#include "report/print/tabelle_report.h"
#include "report/print/sezioni.h"
#include "shell/stato_interfaccia.h"
#include "shell/progetto.h"
#include "support/fake_interaction.h"
#include "support/pagina_tenuta_prova.h"
#include "support/temp_folder.h"
#include "model/gas.h"
#include "model/tenuta.h"

namespace varnex {
namespace {

namespace fs = std::filesystem;

// The windows of a run: scripted save dialog, a bitmap written as the schema page would, and a
// log of everything the run asked of them.
class FinestreProva : public IFinestreStampaFile {
 public:
  FinestreProva() { ImpostaFinestreStampaFile(this); }
  ~FinestreProva() override {
    ImpostaFinestreStampaFile(nullptr);
    for (const auto& r : risposte) ADD_FAILURE() << "save dialog answer never used: " << r.value_or("(annulla)");
  }

  std::optional<std::string> SalvaFile(const std::string& titolo, const std::string& filtro,
                                       const std::string& cartella, const std::string& nome) override {
    richieste.push_back({titolo, filtro, cartella, nome});
    if (risposte.empty()) {
      ADD_FAILURE() << "unexpected save dialog";
      return std::nullopt;
    }
    auto r = risposte.front();
    risposte.pop_front();
    return r;
  }
  std::optional<PixelImmagine> CaricaLogo(const std::string& percorso) override {
    eventi.push_back("logo " + GetNomeFile(percorso));
    if (!logoLeggibile) return std::nullopt;
    return pixelLogo;
  }
  void TogliLogo() override { eventi.push_back("nessun logo"); }
  void MostraAttesa() override { eventi.push_back("attesa"); }
  void PrintMsg(const std::string& testo) override { eventi.push_back("msg " + testo); }
  void UpdateBar(int16_t p, int16_t t) override { eventi.push_back("bar " + std::to_string(p) + "/" + std::to_string(t)); }
  void ChiudiAttesa() override { eventi.push_back("fine attesa"); }
  void DoEvents() override {
    ++eventiPendenti;
    if (nelDoEvents) {
      auto azione = std::move(nelDoEvents);
      nelDoEvents = nullptr;
      azione();
    }
  }
  MisuraSchema SaveSchema(const std::string& percorso) override {
    eventi.push_back("schema " + GetNomeFile(percorso));
    if (schemaRifiutato) throw std::runtime_error("Impossibile scrivere il file " + percorso);
    std::ofstream out(percorso, std::ios::binary);
    out << "BMschema";
    if (!out) throw std::runtime_error("Impossibile scrivere il file " + percorso);
    return misuraSchema;
  }
  MisuraSchema SalvaPartiSchema(const DivisioneFiguraSchema& dividi) override {
    parti = dividi(misuraSchema);
    for (const ParteFiguraSchema& p : parti) SaveSchema(p.percorso);
    return misuraSchema;
  }
  void ChiudiDialogoStampa() override { eventi.push_back("dialogo chiuso"); }

  struct Richiesta {
    std::string titolo, filtro, cartella, nome;
  };
  std::deque<std::optional<std::string>> risposte;
  std::vector<Richiesta> richieste;
  std::vector<std::string> eventi;
  bool logoLeggibile = true;
  PixelImmagine pixelLogo{136, 41};  // the shipped logo's size
  bool schemaRifiutato = false;
  MisuraSchema misuraSchema;  // the picture's size relative to the standard one
  std::vector<ParteFiguraSchema> parti;  // the parts of the last picture saved in parts
  int eventiPendenti = 0;
  std::function<void()> nelDoEvents;

  bool Visto(const std::string& evento) const {
    for (const auto& e : eventi)
      if (e == evento) return true;
    return false;
  }
};

// The height in millimetres a browser gives the lines of an HTML page body of the tightness report,
// as measured in one (rounded up): a line of text or a spacing line 3.7 mm, a title 4.8 mm, a row
// of the small tables 3.6 mm.
double AltezzaCorpoHtml(const std::string& corpo) {
  double mm = 0;
  const auto conta = [&corpo](const std::string& cosa) {
    size_t n = 0;
    for (size_t p = corpo.find(cosa); p != std::string::npos; p = corpo.find(cosa, p + cosa.size())) ++n;
    return n;
  };
  mm += 3.7 * static_cast<double>(conta("<BR>") + conta("<br>"));
  mm += 4.8 * static_cast<double>(conta("</CENTER>"));
  mm += 3.6 * static_cast<double>(conta("<tr>"));
  return mm;
}

size_t Conta(const std::string& testo, const std::string& cosa) {
  size_t n = 0;
  for (size_t p = testo.find(cosa); p != std::string::npos; p = testo.find(cosa, p + cosa.size())) ++n;
  return n;
}

std::vector<std::string> Righe(const std::string& testo) {
  std::vector<std::string> righe;
  size_t inizio = 0;
  for (size_t p = testo.find("\r\n"); p != std::string::npos; p = testo.find("\r\n", inizio)) {
    righe.push_back(testo.substr(inizio, p - inizio));
    inizio = p + 2;
  }
  if (inizio < testo.size()) righe.push_back(testo.substr(inizio));
  return righe;
}

// Every line feed comes after a carriage return, and no carriage return stands alone.
bool SoloCrLf(const std::string& bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
    if (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')) return false;
  }
  return true;
}

class ReportFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    programma.UsaComeCartellaProgramma();
    programma.CopiaDatiDistribuiti();
    ASSERT_TRUE(CaricaDefinizioneGriglie(programma.File("gridgas.cne")));
    test::PreparaCalcolo();
    test::AggiungiProva(0, 10);
    test::AggiungiProva(1, 5, 1.0f);
    test::AggiungiProva(1, 4, 2.0f);
    // The maximum drop as the editor's selector shows it after a calculation.
    CalcolaRete();
    PDCMaxTesto = TestoNumero(PDCMassima());
    PercorsoProgetto = uscita.File("casa.RTG");
    Riferimento = "Villa";
    DescrizioneLavoro = "Impianto della cucina";
    DataStampa = "10/12/2026";
    TenutaImpianto = TTenutaImpianto{};
    AzzeraSezioni();
  }
  void TearDown() override {
    AzzeraSezioni();
    PercorsoProgetto.clear();
    Riferimento.clear();
    DescrizioneLavoro.clear();
    TenutaImpianto = TTenutaImpianto{};
    BloccoReti = {};
    ReteInPressione = 0;
    PDCMaxTesto = "0";
  }

  static void Spunta(std::initializer_list<int16_t*> flags) {
    for (int16_t* f : flags) *f = -1;
    NumSezioniStampa = ContaSezioniSelezionate();
  }
  static void SpuntaTutte() {
    Spunta({&StampaCopertina, &StampaTronchi, &StampaDiagrammaRete, &StampaPDCLocalizzate, &StampaVerifica,
            &StampaUtenze, &StampaComputo, &StampaTenutaImpianto});
  }
  // The report as text (its Windows-1252 bytes read back).
  std::string Testo(const std::string& nome) const { return Cp1252ToUtf8(uscita.Read(nome)); }
  // The text without spaces and line breaks, so that a phrase is found wherever the free-text
  // wrapping broke it.
  static std::string SenzaACapo(std::string t) {
    for (const std::string rottura : {"<BR>", "\r\n", " ", "&nbsp;"}) {
      for (size_t i = t.find(rottura); i != std::string::npos; i = t.find(rottura, i)) t.erase(i, rottura.size());
    }
    return t;
  }

  // Both reports of the ticked sections, nome.html and nome.txt, each ending well.
  void ScriviEntrambi(const std::string& nome) {
    finestre.risposte.push_back(uscita.File(nome + ".html"));
    finestre.risposte.push_back(uscita.File(nome + ".txt"));
    utente.Attendi("HTML conclusa con successo");
    utente.Attendi("TXT conclusa con successo");
    PrintHTMLReport(0);
    PrintTXTReport();
  }

  // The HTML report of the ticked sections written as `nome`, ending well; its text.
  std::string ScriviHtml(const std::string& nome) {
    finestre.risposte.push_back(uscita.File(nome));
    utente.Attendi("conclusa con successo");
    PrintHTMLReport(0);
    return Testo(nome);
  }

  void RendiPressurizzata() {
    ReteInPressione = -1;
    GasCorrente.Densita = 0.6f;
    PressioneIniziale = 200;
    PressioneFinale = 150;
    VelocitaMaxImpostata = 15;
  }

  test::TempFolder programma;
  test::TempFolder uscita;
  test::FakeInterazione utente;
  FinestreProva finestre;
};

// ---- HTML report -----------------------------------------------------------------------------

// A project never saved: the save dialog opens where "Salva con nome" would, with a name, not in
// the program's working folder (a build folder, say) under no name.
TEST_F(ReportFilesTest, TheReportOfAProjectNeverSavedIsOfferedWhereSalvaConNomeOpens) {
  PercorsoProgetto.clear();
  Spunta({&StampaTenutaImpianto});
  ScriviEntrambi("nuovo");
  ASSERT_EQ(finestre.richieste.size(), 2u);
  for (const auto& r : finestre.richieste) {
    EXPECT_FALSE(r.cartella.empty());
    EXPECT_EQ(r.cartella, GetUltimaCartella());
    EXPECT_EQ(r.nome, "Relazione");
  }
}

TEST_F(ReportFilesTest, HtmlWritesEverySectionInOrderWithTheFilesBesideIt) {
  SpuntaTutte();
  TenutaImpianto.Metodo = 1;
  finestre.risposte.push_back(uscita.File("report.html"));
  utente.Attendi("Stampa su file HTML conclusa con successo.");
  PrintHTMLReport(0);

  ASSERT_EQ(utente.messaggi.size(), 1u);
  EXPECT_EQ(utente.messaggi[0].titolo, "Conclusione");
  EXPECT_EQ(utente.messaggi[0].icona, Icona::Informazione);
  // The save dialog starts at the project, and the run ends by closing the print dialog.
  ASSERT_EQ(finestre.richieste.size(), 1u);
  EXPECT_EQ(finestre.richieste[0].titolo, "Salva con nome");
  EXPECT_EQ(finestre.richieste[0].filtro, "File HTML (*.html)|*.html|File HTML (*.htm)|*.htm");
  EXPECT_EQ(finestre.richieste[0].cartella + "casa.RTG", PercorsoProgetto);
  EXPECT_EQ(finestre.richieste[0].nome, "casa");
  EXPECT_EQ(finestre.eventi.back(), "dialogo chiuso");

  const std::string bytes = uscita.Read("report.html");
  EXPECT_TRUE(SoloCrLf(bytes));
  // "più" of the path table's title in Windows-1252.
  EXPECT_NE(bytes.find("pi\xF9 sfavorito"), std::string::npos);
  const std::string html = Cp1252ToUtf8(bytes);
  EXPECT_EQ(html.rfind("<HTML>\r\n<HEAD>\r\n<TITLE>\r\nFile printed: casa.RTG\r\n</TITLE>\r\n<STYLE>\r\nbody\r\n{\r\n  height: 289mm;", 0), 0u);
  EXPECT_NE(html.find("\r\n.titlecolumlast\r\n{\r\n  font-size : 3.5mm;"), std::string::npos);
  EXPECT_NE(html.find("}\r\n.lineverticalspacing\r\n{\r\nline-height: 3mm;\r\n}\r\n\r\n"), std::string::npos);
  EXPECT_NE(html.find(".sectionwords\r\n{\r\nfont-size: 3.15mm;\r\n}\r\n\r\n@page\r\n"), std::string::npos);
  EXPECT_NE(html.find("}\r\n</STYLE>\r\n</HEAD>\r\n<BODY>\r\n"), std::string::npos);
  EXPECT_EQ(html.substr(html.size() - 18), "</BODY>\r\n</HTML>\r\n");

  // The sections in their fixed order.
  const std::vector<std::string> ordine = {
      "<SPAN class='bigtitle'>Schema di impianto interno gas</SPAN><BR>",
      "<CENTER><SPAN class='tabletitle'>Tabella dati tronchi</SPAN></CENTER><BR>",
      "<CENTER><SPAN class='tabletitle'>Perdite di carico localizzate</SPAN></CENTER><BR>",
      "<CENTER><SPAN class='tabletitle'>Analisi percorso più sfavorito</SPAN></CENTER><BR>",
      "<CENTER><SPAN class='tabletitle'>Riepilogo utenze</SPAN></CENTER><BR>",
      "<CENTER><SPAN class='tabletitle'>Computo Tubazioni</SPAN></CENTER><BR>",
      "Verifica di tenuta dell'impianto in base alla normativa UNI 11137-1",
      "<IMG src='report.html.bmp' align='middle' style='width:170mm'></IMG>",
  };
  size_t dove = 0;
  for (const std::string& s : ordine) {
    const size_t p = html.find(s, dove);
    ASSERT_NE(p, std::string::npos) << s;
    dove = p;
  }
  // The cover fills page 1 alone; the segment table opens page 2.
  const size_t tronchi = html.find("Tabella dati tronchi");
  const size_t fine1 = html.find("Pagina: 1\r\n");
  const size_t testa2 = html.find("<DIV class='page'>\r\n<DIV class='headerpage' style='top:0mm'>");
  EXPECT_LT(fine1, testa2);
  EXPECT_LT(testa2, tronchi);
  EXPECT_EQ(html.find("<DIV class='headerpage' style='top:1mm'>"), html.find("<DIV class='headerpage'"));
  EXPECT_NE(html.find("</DIV>\r\n<DIV class='bodypage' style='top:17mm'>\r\n<CENTER>\r\n<SPAN class='bigtitle'>"),
            std::string::npos);
  // The tightness report opens a page of its own: a page header right before it.
  const size_t tenuta = html.find("Verifica di tenuta dell'impianto");
  const size_t ultimaTesta = html.rfind("<DIV class='headerpage'", tenuta);
  const size_t ultimoPie = html.rfind("<DIV class='footerpage'", tenuta);
  EXPECT_LT(ultimoPie, ultimaTesta);
  EXPECT_EQ(html.substr(html.find("<DIV class='bodypage'", ultimaTesta)).find(
                "mm'>\r\n<SPAN class='lineverticalspacing'>&nbsp;</SPAN><BR>\r\n<span style=\"font-weight: bold;\">"),
            html.substr(html.find("<DIV class='bodypage'", ultimaTesta)).find("mm'>"));
  // The diagram page is the last page, numbered after the others.
  const size_t pagine = Conta(html, "<DIV class='footerpage'");
  EXPECT_NE(html.find("Pagina: " + std::to_string(pagine) + "\r\n", html.find("<IMG src='report.html.bmp'")), std::string::npos);
  EXPECT_NE(html.find("<TD style='text-align:left'>casa.RTG - Riferimento: Villa</TD>"), std::string::npos);
  // Totals of the path and appliance tables.
  EXPECT_NE(html.find("<SPAN class='sectionwords'>TOTALE PERDITA DI PRESSIONE:&nbsp;&nbsp;&nbsp;&nbsp;"), std::string::npos);
  EXPECT_NE(html.find("<SPAN class='sectionwords'>TOTALE PORTATA GAS:&nbsp;&nbsp;&nbsp;&nbsp;3"), std::string::npos);
  // The logo in every header, and the files beside the report.
  EXPECT_EQ(Conta(html, "<IMG src='logo.bmp' width='136' height='41' >"), pagine - 1);
  EXPECT_EQ(Conta(html, "<IMG src='logo.bmp' width='136' height='41'>"), 1u);
  EXPECT_EQ(uscita.Read("report.html.bmp"), "BMschema");
  EXPECT_EQ(uscita.Read("logo.bmp"), programma.Read("logo.bmp"));
  EXPECT_FALSE(fs::exists(uscita.File("report.html.tmp")));
  // The closing message names every file the run wrote.
  EXPECT_EQ(utente.messaggi[0].testo, "Stampa su file HTML conclusa con successo.\r\nFile scritti:\r\n" +
                                          uscita.File("report.html") + "\r\n" + uscita.File("report.html.bmp") +
                                          "\r\n" + uscita.File("logo.bmp"));
  // Progress: opened, one bar per section, the step texts, closed before the message.
  const std::vector<std::string> attesi = {"logo logo.bmp", "attesa", "bar 0/8", "msg Frontespizio", "bar 1/8",
                                           "msg Tabella dati tronchi", "bar 2/8"};
  ASSERT_GE(finestre.eventi.size(), attesi.size());
  EXPECT_EQ(std::vector<std::string>(finestre.eventi.begin(), finestre.eventi.begin() + 7), attesi);
  EXPECT_TRUE(finestre.Visto("msg Calcolo totale computo "));
  EXPECT_TRUE(finestre.Visto("msg Tabella totale computo "));
  EXPECT_TRUE(finestre.Visto("bar 7/8"));
  EXPECT_TRUE(finestre.Visto("schema report.html.bmp"));
  EXPECT_EQ(finestre.eventi[finestre.eventi.size() - 2], "fine attesa");
  EXPECT_GT(finestre.eventiPendenti, 0);
}

TEST_F(ReportFilesTest, HtmlPagesOfShortReports) {
  struct Caso {
    const char* nome;
    std::vector<int16_t*> flags;
    size_t pagine;            // footer blocks
    std::vector<std::string> segni;
  };
  const std::vector<Caso> casi = {
      {"cover alone", {&StampaCopertina}, 2,
       {"<DIV class='headerpage' style='top:0mm'>", "<DIV class='bodypage' style='top:17mm'>\r\n</DIV>\r\n"
                                                     "<DIV class='footerpage' style='top:265mm'>"}},
      {"diagram alone", {&StampaDiagrammaRete}, 1,
       {"<DIV class='headerpage' style='top:1mm'>", "<DIV class='bodypage' style='top:17mm; width:170mm'>",
        "<DIV class='footerpage' style='top:265mm'>", "Pagina: 1\r\n"}},
      {"cover then diagram", {&StampaCopertina, &StampaDiagrammaRete}, 3,
       {"<DIV class='bodypage' style='top:17mm; width:170mm'>", "Pagina: 3\r\n"}},
      {"tightness first", {&StampaTenutaImpianto, &StampaDiagrammaRete}, 2,
       {"<DIV class='bodypage' style='top:17mm'>\r\n<SPAN class='lineverticalspacing'>&nbsp;</SPAN><BR>\r\n"
        "<span style=\"font-weight: bold;\">", "Pagina: 2\r\n"}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    AzzeraSezioni();
    for (int16_t* f : c.flags) *f = -1;
    NumSezioniStampa = ContaSezioniSelezionate();
    finestre.risposte.push_back(uscita.File("corto.html"));
    fs::remove(uscita.File("corto.html"));
    fs::remove(uscita.File("corto.html.bmp"));
    utente.Attendi("Stampa su file HTML conclusa con successo.");
    PrintHTMLReport(0);
    const std::string html = Testo("corto.html");
    EXPECT_EQ(Conta(html, "<DIV class='footerpage'"), c.pagine);
    for (const std::string& s : c.segni) EXPECT_NE(html.find(s), std::string::npos) << s;
  }
  // Only the diagram: no page before it.
  AzzeraSezioni();
}

// A choked segment of a pressurised network carries -1 in its drop, end pressure and path drop:
// the files wrote "-1,000" for the path drop as if it were a value.
TEST_F(ReportFilesTest, AValueTheCalculationCouldNotComputeIsNeverWrittenAsANumber) {
  RendiPressurizzata();
  // 500 m of the copper series carrying 3000: no diameter of it keeps the end pressure.
  Tronco(3).IndiceMateriale = 2;
  Tronco(3).ID_MATERIALE = "RAMET";
  Tronco(3).ID_LEN = 500;
  Tronco(3).ID_P_UTENZE = 3000;
  CalcolaRete();
  ASSERT_LT(Tronco(3).ID_PDC_TRONCO, 0);
  Spunta({&StampaTronchi, &StampaVerifica});
  ScriviEntrambi("strozzata");
  const std::string html = Testo("strozzata.html");
  const std::string txt = Testo("strozzata.txt");
  for (const std::string* f : {&html, &txt}) {
    EXPECT_EQ(f->find("-1,0"), std::string::npos);
    EXPECT_EQ(f->find("-1.0"), std::string::npos);
  }
  // Velocity, drop, end pressure and path drop of the segment table; red in the HTML as on the screen.
  const auto tabella = [](const std::string& f, const char* titolo, const char* fine) {
    const size_t inizio = f.find(titolo);
    return f.substr(inizio, f.find(fine, inizio) - inizio);
  };
  // Its velocity too: a "-" there would read as gas at rest.
  EXPECT_EQ(Conta(tabella(html, "Tabella dati tronchi", "Analisi percorso"), "<SPAN style='color:#FF0000;'>n.c.</SPAN>"),
            4u);
  EXPECT_EQ(Conta(tabella(txt, "Tabella dati tronchi", "La rete non"), "n.c."), 4u) << txt;
  // The worst path is the one the calculation could not carry to its end: its drops are not
  // computed, nor is their total; the sentence says why.
  const std::string percorso = tabella(txt, "Analisi percorso", "\n\n\n");
  EXPECT_NE(percorso.find("TOTALE PERDITA DI PRESSIONE: n.c."), std::string::npos) << percorso;
  EXPECT_NE(percorso.find("3\t22x1 (!)\t500,00\t500,00\t3000,000\t3000,000\tn.c.\tn.c.\tn.c.\tn.c."), std::string::npos)
      << percorso;
  const std::string motivo =
      "La rete non è dimensionata: nessun diametro della serie del tronco 3 ne porta la portata con la pressione "
      "disponibile; i valori non calcolati sono indicati con \"n.c.\".";
  EXPECT_EQ(Conta(txt, motivo), 2u) << txt;
  EXPECT_EQ(Conta(html, EscapeHTML(motivo)), 2u);
}

// Whatever the length of the segment table, its last row never stands alone at the top of a page:
// the page before had the room for it.
TEST_F(ReportFilesTest, AnHtmlTablesLastRowNeverStandsAloneOnAPage) {
  int spezzate = 0;
  for (int n = 30; n <= 120; ++n) {
    SCOPED_TRACE(n);
    BloccoReti = {};
    int16_t padre = 0;
    for (int i = 0; i < n; ++i) padre = test::AggiungiProva(padre, 2);
    test::AggiungiProva(padre, 2, 1.0f);
    Spunta({&StampaTronchi});
    const std::string html = ScriviHtml("righe" + std::to_string(n) + ".html");
    const size_t ultima = html.find("<TD class='lastdatacolums'");
    ASSERT_NE(ultima, std::string::npos);
    const size_t prima = html.rfind("<TD class='datacolums'", ultima);
    ASSERT_NE(prima, std::string::npos);
    EXPECT_EQ(html.substr(prima, ultima - prima).find("footerpage"), std::string::npos) << "last row alone";
    spezzate += Conta(html.substr(0, ultima), "footerpage") > 0;
  }
  // The sweep did reach tables that go on over a page.
  EXPECT_GT(spezzate, 0);
}

// Wherever the segment table leaves the page, a three-row appliance summary is never split over
// two pages of the HTML: it goes whole to the next page, its title with it.
TEST_F(ReportFilesTest, AShortTableIsNeverSplitOverTwoPages) {
  for (int n = 4; n <= 64; ++n) {
    SCOPED_TRACE(n);
    BloccoReti = {};
    int16_t padre = 0;
    for (int i = 0; i < n; ++i) padre = test::AggiungiProva(padre, 2);
    test::AggiungiProva(padre, 2, 1.0f);
    const int16_t ramo = test::AggiungiProva(padre, 2);
    test::AggiungiProva(ramo, 2, 1.0f);
    test::AggiungiProva(ramo, 2, 1.0f);
    Spunta({&StampaTronchi, &StampaUtenze});
    finestre.risposte.push_back(uscita.File("breve" + std::to_string(n) + ".html"));
    utente.Attendi("conclusa con successo");
    PrintHTMLReport(0);
    const std::string html = Testo("breve" + std::to_string(n) + ".html");
    const size_t titolo = html.find("Riepilogo utenze</SPAN>");
    ASSERT_NE(titolo, std::string::npos);
    const size_t fine = html.find("TOTALE PORTATA GAS", titolo);
    ASSERT_NE(fine, std::string::npos);
    EXPECT_EQ(Conta(html.substr(titolo, fine - titolo), "datacolumlast'"), 3u) << "three rows";
    EXPECT_EQ(html.substr(titolo, fine - titolo).find("footerpage"), std::string::npos) << "split over two pages";
  }
}

TEST_F(ReportFilesTest, LongTableBreaksAfterRowFiftyAndReopensTheTable) {
  BloccoReti = {};
  int16_t padre = 0;
  for (int i = 0; i < 80; ++i) padre = test::AggiungiProva(padre, 2, i == 79 ? 1.0f : 0.0f);
  Spunta({&StampaTronchi});
  finestre.risposte.push_back(uscita.File("lunga.html"));
  utente.Attendi("conclusa con successo");
  PrintHTMLReport(0);
  const std::vector<std::string> righe = Righe(Testo("lunga.html"));
  const std::string tag = "<TABLE align='CENTER' cellspacing=0 class='datatable'>";
  int dati = 0;
  size_t chiusura = 0;
  for (size_t i = 0; i < righe.size(); ++i) {
    if (righe[i] == "</TR>" && i > 0 && righe[i - 1].find("datacol") != std::string::npos) ++dati;
    if (righe[i] == "</TABLE><BR>") {
      chiusura = i;
      break;
    }
  }
  EXPECT_EQ(dati, 50);
  ASSERT_GT(chiusura, 0u);
  EXPECT_EQ(righe[chiusura + 1], "</DIV>");
  EXPECT_EQ(righe[chiusura + 2], "<DIV class='footerpage' style='top:265mm'>");
  // Header of page 2, its body, then the same table tag again and the rows go on.
  size_t corpo = chiusura;
  while (corpo < righe.size() && righe[corpo] != "<DIV class='bodypage' style='top:17mm'>") ++corpo;
  ASSERT_LT(corpo + 2, righe.size());
  EXPECT_EQ(righe[corpo + 1], tag);
  EXPECT_EQ(righe[corpo + 2], "<TR>");
  // The headings again, then row 51.
  EXPECT_NE(righe[corpo + 3].find("class='titlecolums'"), std::string::npos);
  size_t riga51 = corpo;
  while (riga51 < righe.size() && righe[riga51].find(">51</TD>") == std::string::npos) ++riga51;
  ASSERT_LT(riga51, righe.size());
  EXPECT_EQ(righe[riga51 - 1], "<TR>");
  for (size_t i = corpo; i < riga51; ++i) EXPECT_EQ(righe[i].find("datacol"), std::string::npos) << "a row before 51";
  // The last segment's row carries the last-row classes.
  const std::string html = Testo("lunga.html");
  EXPECT_NE(html.find("<TD class='lastdatacolums' style='width:"), std::string::npos);
  EXPECT_EQ(Conta(html, "class='lastdatacolumlast'"), 1u);
}

TEST_F(ReportFilesTest, ProjectAndRecordTextsAreEscapedInTheHtml) {
  Riferimento = "A<B & C>'s";
  DescrizioneLavoro = "<script>x</script>";
  TenutaImpianto.Note = "pressione < 20 & ok";
  Spunta({&StampaCopertina, &StampaTenutaImpianto, &StampaDiagrammaRete});
  const std::string html = ScriviHtml("esc.html");
  EXPECT_EQ(html.find("<script>"), std::string::npos);
  EXPECT_NE(html.find("<SPAN class='fieldvaluebigspace'>A&lt;B &amp; C&gt;'s</SPAN>"), std::string::npos);
  EXPECT_NE(html.find("&lt;script&gt;x&lt;/script&gt;"), std::string::npos);
  EXPECT_NE(html.find("<span class=\"sectionwords\">pressione &lt; 20 &amp; ok</span>"), std::string::npos);
  EXPECT_NE(html.find(" - Riferimento: A&lt;B &amp; C&gt;'s</TD>"), std::string::npos);
}

// The HTML header prints the project's name whole where the line holds it beside the logo and the
// firm's lines, as the printed header does; a name longer than 40 letters shows the end of its path,
// and a name that does not hold its room shows its end behind "...", so that the reader sees it was
// cut. The old header cut every name past 28 letters, whatever the room.
TEST_F(ReportFilesTest, TheHtmlHeaderPrintsTheNameWholeWhereItFitsAndShowsWhereItWasCut) {
  const std::string medio = "Impianto condominio via Roma dodici";       // 35 letters
  const std::string lungo = "Impianto condominio via Roma dodici scala B";  // 43 letters
  const std::string firma(120, 'W');
  struct Caso {
    std::string nome, ditta, atteso;
  };
  const Caso casi[] = {
      {"casa", "", "casa"},
      {medio, "", medio},
      {medio, "Gas Service s.r.l.", medio},
      {lungo, "", "..." + Trim(Right(uscita.File(lungo + ".RTG"), 40))},
  };
  int n = 0;
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome + " / " + c.ditta);
    PercorsoProgetto = uscita.File(c.nome + ".RTG");
    DittaRiga1 = c.ditta;
    Spunta({&StampaTronchi});
    const std::string html = ScriviHtml("titolo" + std::to_string(++n) + ".html");
    EXPECT_NE(html.find("<TD ALIGN='Right'>\r\n" + c.atteso + "\r\n</TD>"), std::string::npos) << c.atteso;
    AzzeraSezioni();
  }
  // A firm's line that takes the header: the name keeps a third of the line, cut to it behind "...".
  PercorsoProgetto = uscita.File(medio + ".RTG");
  DittaRiga1 = firma;
  Spunta({&StampaTronchi});
  const std::string html = ScriviHtml("titolo_ditta.html");
  const std::string apertura = "<TD ALIGN='Right'>\r\n";
  const size_t inizio = html.find(apertura) + apertura.size();
  const std::string titolo = html.substr(inizio, html.find("\r\n", inizio) - inizio);
  EXPECT_EQ(titolo.substr(0, 3), "...");
  EXPECT_TRUE(medio.ends_with(titolo.substr(3))) << titolo;
  MisuraHTML misura;
  misura.SetFontSize(3.5 / MillimetriPunto);
  EXPECT_LE(misura.TextWidth(titolo), 170.0 / 3);
  EXPECT_GT(misura.TextWidth(titolo), 170.0 / 3 - 10);
  DittaRiga1.clear();
}

// Each report's diagram picture is named after the report file: two reports of one project in one
// folder keep a picture each, the HTML points at its own, and an odd name or reference ("logo",
// quotes, a folder separator) never leads the picture elsewhere or onto the logo.
TEST_F(ReportFilesTest, EveryReportHasAPictureOfItsOwn) {
  Riferimento = "Imp. 3/A <x>";
  Spunta({&StampaDiagrammaRete, &StampaCopertina});
  const char* const report[] = {"a.html", "b.html", "a.txt", "logo.html", "it's.html"};
  for (const char* r : report) {
    finestre.risposte.push_back(uscita.File(r));
    utente.Attendi("conclusa con successo");
    if (GetNomeFile(r).find(".html") != std::string::npos)
      PrintHTMLReport(0);
    else
      PrintTXTReport();
    EXPECT_EQ(uscita.Read(std::string(r) + ".bmp"), "BMschema") << r;
  }
  EXPECT_NE(Testo("a.html").find("<IMG src='a.html.bmp'"), std::string::npos);
  EXPECT_NE(Testo("b.html").find("<IMG src='b.html.bmp'"), std::string::npos);
  EXPECT_NE(Testo("it's.html").find("<IMG src='it&#39;s.html.bmp'"), std::string::npos);
  EXPECT_EQ(uscita.Read("logo.bmp"), programma.Read("logo.bmp"));
  size_t immagini = 0;
  for (const auto& f : fs::directory_iterator(uscita.File(""))) immagini += f.path().extension() == ".bmp";
  EXPECT_EQ(immagini, std::size(report) + 1);  // the pictures and the logo, nothing else
}

// Printed from a browser, each page of the report is one sheet: the sheet's printable height is the
// 289 mm of a page of the report, the body has no margin of its own, and nothing is wider
// than the 210 mm sheet (a wider picture made the browser shrink every page, so that from the
// first sheets on a page's footer and the next page's header fell on the wrong sheet).
TEST_F(ReportFilesTest, EveryHtmlPageIsOneA4SheetWhenPrinted) {
  Spunta({&StampaCopertina, &StampaTronchi, &StampaDiagrammaRete});
  const std::string html = ScriviHtml("foglio.html");
  EXPECT_NE(html.find("\r\n@page\r\n{\r\nsize: A4;\r\nmargin: 4mm 0;\r\n}\r\n"), std::string::npos);
  // The body no taller than a sheet's printable height: at 297 mm a one-page report printed a
  // second, blank sheet.
  EXPECT_NE(html.find("\r\nbody\r\n{\r\n  height: 289mm;\r\n  width: 210mm;\r\n  font-family:Arial;\r\n  margin: 0;\r\n}"),
            std::string::npos);
  // Every width the blocks' contents carry, after the blocks' 15 mm left margin, within the sheet.
  const std::string larghezza = "style='width:";
  for (size_t p = html.find(larghezza); p != std::string::npos; p = html.find(larghezza, p + 1)) {
    const size_t inizio = p + larghezza.size();
    const double mm = std::stod(html.substr(inizio, html.find("mm", inizio) - inizio));
    EXPECT_LE(15 + mm, 210) << html.substr(p, 30);
  }
}

// The diagram picture is shown as large as the page holds up to its own size, never so small that
// its 7 pt labels print below 6 pt: a larger picture is cut into pieces, each a file of its own
// shown on the diagram pages with a note of where the drawing goes on, neighbours sharing a strip.
// (The whole picture was shrunk to the page: a 200-segment chain printed as a grey streak.)
TEST_F(ReportFilesTest, ALargeNetworksPictureGoesOnOverPiecesAtAReadableScale) {
  struct Caso {
    MisuraSchema misura;
    size_t pezzi, pagine;
    bool ingrandibile;  // shown below its own size: a click opens it
  };
  const Caso casi[] = {
      {{0.28, 0.3, {}}, 1, 1, false},     // the example: at its own size
      {{1, 1, {}}, 1, 1, true},           // the standard picture, a little smaller
      {{14.67, 0.135, {}}, 16, 2, true},  // a 200-segment chain: ten strips to a page
      {{1.2, 2.5, {}}, 4, 4, true},       // taller and wider than a page: four like pieces, one a page
  };
  const double standardMm = 11000.0 / 1440 * 25.4;  // the standard picture's width at its own size
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.pezzi);
    finestre.misuraSchema = c.misura;
    Spunta({&StampaDiagrammaRete});
    finestre.risposte.push_back(uscita.File("grande.html"));
    for (int n = 1; n <= 20; ++n) fs::remove(interno::PercorsoParteBitmap(uscita.File("grande.html"), n));
    fs::remove(uscita.File("grande.html"));
    utente.Attendi("conclusa con successo");
    PrintHTMLReport(0);
    const std::string html = Testo("grande.html");
    ASSERT_EQ(finestre.parti.size(), c.pezzi);
    EXPECT_EQ(Conta(html, "<DIV class='footerpage'"), c.pagine);
    EXPECT_EQ(Conta(html, "<IMG src='grande.html"), c.pezzi);
    EXPECT_EQ(Conta(html, "<A href='grande.html"), c.ingrandibile ? c.pezzi : 0u);
    double destra = 0, basso = 0;
    for (size_t n = 0; n < c.pezzi; ++n) {
      const ParteFiguraSchema& p = finestre.parti[n];
      // The first piece keeps the picture's own name, the others carry their number.
      const std::string nome = n == 0 ? "grande.html.bmp" : "grande.html." + std::to_string(n + 1) + ".bmp";
      EXPECT_EQ(GetNomeFile(p.percorso), nome);
      EXPECT_EQ(uscita.Read(nome), "BMschema");
      // Shown no smaller than 6/7 of its own size, no wider than the body.
      const std::string img = "<IMG src='" + nome + "' align='middle' style='width:";
      const size_t dove = html.find(img);
      ASSERT_NE(dove, std::string::npos) << nome;
      const double mm = std::stod(html.substr(dove + img.size()));
      EXPECT_LE(mm, 170.0) << nome;
      EXPECT_GE(mm / (p.larghezza * c.misura.larghezza * standardMm), 6.0 / 7.0 - 0.01) << nome;
      // A piece of several names where the drawing goes on.
      if (c.pezzi > 1) {
        EXPECT_NE(html.find("<SPAN class='sectionwords'>Foglio " + std::to_string(n + 1) + " di " +
                                std::to_string(c.pezzi) + " - lo schema continua ",
                            dove),
                  std::string::npos);
      }
      // The pieces cover the picture, a neighbour starting before the piece ends.
      EXPECT_LE(p.x, destra + 1e-9);
      destra = std::max(destra, p.x + p.larghezza);
      basso = std::max(basso, p.y + p.altezza);
      if (n > 0 && p.y == finestre.parti[n - 1].y) {
        EXPECT_LT(p.x, finestre.parti[n - 1].x + finestre.parti[n - 1].larghezza);
      }
    }
    EXPECT_NEAR(destra, 1, 1e-9);
    EXPECT_NEAR(basso, 1, 1e-9);
    if (c.pezzi == 1) {
      EXPECT_EQ(html.find("lo schema continua"), std::string::npos);
    }
    // The closing message names every picture.
    EXPECT_EQ(Conta(utente.messaggi.back().testo, "grande.html."), c.pezzi);
  }
}

// A picture a little taller than a page's room is cut in two pieces of like size, the grid centred
// on it as the printed diagram's sheets are, never a full piece and a thin strip of label ends; a
// label that the plain overlap would cut on both pieces is whole on one: the shared strip grows.
TEST_F(ReportFilesTest, APictureALittleLargerThanThePageIsCutIntoLikePiecesWithEveryLabelWhole) {
  struct Caso {
    const char* nome;
    MisuraSchema misura;
  };
  // Label blocks in fractions of the picture: one across the middle, where both pieces' edges
  // fall, one near the end, where the old cut fell, and one at each corner.
  const std::vector<Riquadro> blocchi = {
      {0.3, 0.44, 0.6, 0.56}, {0.1, 0.88, 0.4, 0.96}, {0, 0, 0.2, 0.03}, {0.8, 0.97, 1, 1}};
  const std::vector<Riquadro> blocchiLarghi = {
      {0.44, 0.3, 0.56, 0.6}, {0.88, 0.1, 0.96, 0.4}, {0, 0, 0.03, 0.2}, {0.97, 0.8, 1, 1}};
  const Caso casi[] = {
      {"taller", {0.5, 1.95, blocchi}},       // 236 mm at the smallest scale, for 220 mm of room
      {"wider", {1.1, 0.8, blocchiLarghi}},   // 183 mm at the smallest scale, for 170 mm
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    finestre.misuraSchema = c.misura;
    Spunta({&StampaDiagrammaRete});
    finestre.risposte.push_back(uscita.File("meta.html"));
    for (int n = 1; n <= 4; ++n) fs::remove(interno::PercorsoParteBitmap(uscita.File("meta.html"), n));
    fs::remove(uscita.File("meta.html"));
    utente.Attendi("conclusa con successo");
    PrintHTMLReport(0);
    ASSERT_EQ(finestre.parti.size(), 2u);
    const ParteFiguraSchema &primo = finestre.parti[0], &secondo = finestre.parti[1];
    const double lato1 = std::min(primo.larghezza, primo.altezza), lato2 = std::min(secondo.larghezza, secondo.altezza);
    EXPECT_NEAR(lato1, lato2, 0.02) << "pieces of like size";
    for (const Riquadro& b : c.misura.blocchi) {
      bool intero = false;
      for (const ParteFiguraSchema& p : finestre.parti)
        intero = intero || (b.x1 >= p.x - 1e-9 && b.x2 <= p.x + p.larghezza + 1e-9 && b.y1 >= p.y - 1e-9 &&
                            b.y2 <= p.y + p.altezza + 1e-9);
      EXPECT_TRUE(intero) << "a label cut on both pieces at " << b.x1 << ", " << b.y1;
    }
  }
}

// Where the schema's layout leaves labels far from their pipes, the HTML picture says so under it:
// a picture of one piece and each piece of several; a picture whose labels are beside their pipes
// says nothing.
TEST_F(ReportFilesTest, APictureWhoseLabelsStandFarFromTheirPipesSaysSo) {
  Spunta({&StampaDiagrammaRete});
  struct Caso {
    const char* nome;
    MisuraSchema misura;
    size_t avvisi;
  };
  const Caso casi[] = {{"one piece", {0.5, 0.5, {}, true}, 1},
                       {"two pieces", {1.2, 1, {}, true}, 2},
                       {"labels beside their pipes", {0.5, 0.5, {}, false}, 0}};
  int n = 0;
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    finestre.misuraSchema = c.misura;
    const std::string html = ScriviHtml("avviso" + std::to_string(++n) + ".html");
    EXPECT_EQ(Conta(html, EscapeHTML(AvvisoEtichetteLontane)), c.avvisi);
  }
}

// A report written again over one whose picture had more pieces asks before replacing them all,
// and leaves none of the older pieces behind; a refusal leaves every file as it was.
TEST_F(ReportFilesTest, AnOlderReportsPiecesAreAskedForAndNotLeftBehind) {
  Spunta({&StampaDiagrammaRete});
  for (const char* f : {"r.html", "r.html.bmp", "r.html.2.bmp", "r.html.3.bmp", "r.html.4.bmp"}) uscita.Write(f, "vecchia");
  finestre.misuraSchema = {1.2, 1, {}};  // two pieces side by side
  const std::string domanda =
      "I file seguenti sono già presenti nella cartella selezionata:\r\nr.html\r\nr.html.bmp\r\nr.html.2.bmp\r\n"
      "r.html.3.bmp\r\nr.html.4.bmp\r\nSi desidera sovrascriverli?";
  finestre.risposte.push_back(uscita.File("r.html"));
  utente.Attendi(domanda, Risposta::No);
  PrintHTMLReport(0);
  for (const char* f : {"r.html", "r.html.bmp", "r.html.2.bmp", "r.html.3.bmp", "r.html.4.bmp"})
    EXPECT_EQ(uscita.Read(f), "vecchia") << f;
  finestre.risposte.push_back(uscita.File("r.html"));
  utente.Attendi(domanda, Risposta::Si);
  utente.Attendi("conclusa con successo");
  PrintHTMLReport(0);
  EXPECT_EQ(uscita.Read("r.html.bmp"), "BMschema");
  EXPECT_EQ(uscita.Read("r.html.2.bmp"), "BMschema");
  EXPECT_FALSE(fs::exists(uscita.File("r.html.3.bmp")));
  EXPECT_FALSE(fs::exists(uscita.File("r.html.4.bmp")));
  // A picture of one piece leaves no second piece either.
  finestre.misuraSchema = {0.5, 0.5, {}};
  finestre.risposte.push_back(uscita.File("r.html"));
  utente.Attendi("I file seguenti sono già presenti nella cartella selezionata:\r\nr.html\r\nr.html.bmp\r\nr.html.2.bmp\r\n"
                 "Si desidera sovrascriverli?",
                 Risposta::Si);
  utente.Attendi("conclusa con successo");
  PrintHTMLReport(0);
  EXPECT_FALSE(fs::exists(uscita.File("r.html.2.bmp")));
  EXPECT_EQ(Testo("r.html").find("r.html.2.bmp"), std::string::npos);
}

// Printed from a browser, every page of the report starts a sheet of its own: each is a block with
// a page break before it, its header, body and footer placed within it. Placed at n x 289 mm in one
// column, the pages rode up by the difference between 289 mm and the browser's printable height,
// and from page 12 of a long report the next page's header printed at the foot of the one before.
TEST_F(ReportFilesTest, EveryHtmlPageIsABlockThatStartsItsOwnSheet) {
  BloccoReti = {};
  int16_t padre = 0;
  for (int i = 0; i < MaxTronchi - 1; ++i) padre = test::AggiungiProva(padre, 2, i == MaxTronchi - 2 ? 1.0f : 0.0f);
  Spunta({&StampaCopertina, &StampaTronchi, &StampaPDCLocalizzate, &StampaVerifica, &StampaDiagrammaRete});
  const std::string html = ScriviHtml("lungo.html");
  const size_t pagine = Conta(html, "<DIV class='footerpage'");
  ASSERT_GE(pagine, 12u);
  EXPECT_NE(html.find("\r\n.page\r\n{\r\nposition: relative;\r\nwidth: 210mm;\r\nheight: 289mm;\r\n}"), std::string::npos);
  EXPECT_NE(html.find("\r\n.page + .page\r\n{\r\npage-break-before: always;\r\nbreak-before: page;\r\n}"),
            std::string::npos);
  // Printed, a page ends under its footer, so that a smaller printable height (wider margins)
  // leaves no blank sheet after it.
  EXPECT_NE(html.find("\r\n@media print\r\n{\r\n.page { height: 275mm; }\r\n}\r\n</STYLE>"), std::string::npos);
  // Each page one block: its header opens it, its footer closes it, nothing is placed beyond it.
  EXPECT_EQ(Conta(html, "<DIV class='page'>\r\n<DIV class='headerpage' style='top:"), pagine);
  EXPECT_EQ(Conta(html, "<DIV class='page'>"), pagine);
  size_t fine = 0;
  for (size_t p = html.find("<DIV class='footerpage'"); p != std::string::npos;
       p = html.find("<DIV class='footerpage'", p + 1)) {
    const size_t chiusa = html.find("</TABLE>\r\n</DIV>\r\n</DIV>\r\n", p);
    ASSERT_NE(chiusa, std::string::npos);
    fine = chiusa;
    // Nothing between one page's end and the next page's block.
    const size_t dopo = chiusa + std::string("</TABLE>\r\n</DIV>\r\n</DIV>\r\n").size();
    EXPECT_TRUE(html.compare(dopo, 17, "<DIV class='page'") == 0 || html.compare(dopo, 7, "</BODY>") == 0)
        << html.substr(dopo, 40);
  }
  EXPECT_GT(fine, 0u);
  const std::string alto = "style='top:";
  for (size_t p = html.find(alto); p != std::string::npos; p = html.find(alto, p + 1))
    EXPECT_LE(std::stoi(html.substr(p + alto.size())), 265) << html.substr(p, 30);
}

// On the covers a label never ends a line whose next one starts with its value: "Velocità massima
// calcolata :" ended one line of the printed page and "1,49 m/s" began the next.
TEST_F(ReportFilesTest, ACoversLabelStaysWithItsValue) {
  for (bool pressione : {false, true}) {
    SCOPED_TRACE(pressione);
    if (pressione) RendiPressurizzata();
    Spunta({&StampaCopertina});
    const std::string html = ScriviHtml(pressione ? "rete.html" : "casa.html");
    size_t coppie = 0;
    for (const std::string& riga : Righe(html)) {
      for (const char* etichetta : {"<SPAN class='fieldtitle'>", "<SPAN class='fieldtitlebigspace'>"}) {
        const size_t e = riga.find(etichetta);
        if (e == std::string::npos) continue;
        ++coppie;
        const bool grande = std::string(etichetta).find("bigspace") != std::string::npos;
        // The value on the same line, joined to its label by a non-breaking space only.
        const std::string valore = grande ? "</SPAN>&nbsp;<SPAN class='fieldvaluebigspace'>" : "</SPAN>&nbsp;<SPAN class='fieldvalue'>";
        const size_t v = riga.find(valore, e);
        ASSERT_NE(v, std::string::npos) << riga;
        // A free text's label holds its words together; a short pair goes whole onto the next line
        // when the rest of the line cannot hold it.
        const std::string insieme = "<SPAN style='white-space:nowrap'>";
        if (grande) {
          EXPECT_EQ(riga.substr(e, v - e).find(' ', std::string(etichetta).size()), std::string::npos) << riga;
        } else {
          EXPECT_TRUE(e >= insieme.size() && riga.compare(e - insieme.size(), insieme.size(), insieme) == 0) << riga;
        }
      }
    }
    EXPECT_GE(coppie, 10u);
    if (pressione) {
      EXPECT_NE(html.find("Velocità massima calcolata&nbsp;:&nbsp;</SPAN>&nbsp;<SPAN class='fieldvalue'>"), std::string::npos);
    }
  }
}

// A report whose picture is already there is written only when the user agrees to replace both;
// a refusal leaves every file as it was.
TEST_F(ReportFilesTest, AnExistingPictureIsAskedBeforeItIsReplaced) {
  Spunta({&StampaDiagrammaRete, &StampaCopertina});
  uscita.Write("r.html.bmp", "vecchia");
  finestre.risposte.push_back(uscita.File("r.html"));
  utente.Attendi("Il file seguente è già presente nella cartella selezionata:\r\nr.html.bmp\r\nSi desidera sovrascriverlo?",
                 Risposta::No);
  PrintHTMLReport(0);
  EXPECT_EQ(uscita.Read("r.html.bmp"), "vecchia");
  EXPECT_FALSE(fs::exists(uscita.File("r.html")));
  uscita.Write("r.html", "vecchio");
  finestre.risposte.push_back(uscita.File("r.html"));
  utente.Attendi("I file seguenti sono già presenti nella cartella selezionata:\r\nr.html\r\nr.html.bmp\r\n"
                 "Si desidera sovrascriverli?",
                 Risposta::Si);
  utente.Attendi("conclusa con successo");
  PrintHTMLReport(0);
  EXPECT_EQ(uscita.Read("r.html.bmp"), "BMschema");
  // Without the diagram the picture is not the report's concern.
  AzzeraSezioni();
  Spunta({&StampaCopertina});
  uscita.Write("s.html.bmp", "altra");
  finestre.risposte.push_back(uscita.File("s.html"));
  utente.Attendi("conclusa con successo");
  PrintHTMLReport(0);
  EXPECT_EQ(uscita.Read("s.html.bmp"), "altra");
}

TEST_F(ReportFilesTest, PressurisedCoverAndEquivalentLengths) {
  RendiPressurizzata();
  BloccoReti = {};
  test::AggiungiProva(0, 10);
  test::AggiungiProva(1, 5, 10.0f);
  test::AggiungiProva(1, 4, 20.0f);
  Spunta({&StampaCopertina, &StampaPDCLocalizzate});
  ScriviEntrambi("rete");

  const std::string html = Testo("rete.html");
  EXPECT_NE(html.find("<SPAN class='bigtitle'>Rete gas in pressione</SPAN><BR>"), std::string::npos);
  EXPECT_NE(html.find("<SPAN style='white-space:nowrap'><SPAN class='fieldtitle'>Pressione relativa iniziale&nbsp;:&nbsp;"
                      "</SPAN>&nbsp;<SPAN class='fieldvalue'>&nbsp;200,00&nbsp;&nbsp;kPa&nbsp;&nbsp;&nbsp;&nbsp;(2,000&nbsp;bar)"
                      "</SPAN></SPAN>"),
            std::string::npos);
  EXPECT_NE(html.find("&nbsp;kg/mc</SPAN>"), std::string::npos);
  EXPECT_EQ(html.find("Famiglia"), std::string::npos);
  const size_t perdite = html.find("Perdite di carico localizzate");
  const size_t lunghezze = html.find("<CENTER><SPAN class='tabletitle'>Lunghezze equivalenti</SPAN></CENTER><BR>");
  ASSERT_NE(lunghezze, std::string::npos);
  EXPECT_LT(perdite, lunghezze);

  const std::vector<std::string> righe = Righe(Testo("rete.txt"));
  ASSERT_GE(righe.size(), 22u);
  EXPECT_EQ(righe[0], "Rete gas in pressione");
  EXPECT_EQ(righe[1], "Relazione di calcolo");
  EXPECT_EQ(righe[4], "Riferimento :\tVilla");
  EXPECT_EQ(righe[7], "Lavoro :\tImpianto della cucina");
  EXPECT_EQ(righe[14], "Pressione relativa iniziale : \t 200,00  kPa (2,000 bar)");
  EXPECT_EQ(righe[16].rfind("Pressione relativa minima finale : \t 150,00  kPa(1,500 bar)\tVelocità massima impostata: \t", 0), 0u);
  EXPECT_EQ(righe[21], "");
  // The separator, then the localized losses straight into their header, then the second table.
  EXPECT_EQ(righe[25], std::string(63, '='));
  EXPECT_EQ(righe[29], "");
  EXPECT_EQ(righe[30], "Perdite di carico localizzate");
  EXPECT_NE(righe[31], "");
  bool equivalenti = false;
  for (size_t i = 31; i + 2 < righe.size(); ++i)
    if (righe[i] == "" && righe[i + 1] == "Lunghezze equivalenti" && righe[i + 2] == "") equivalenti = true;
  EXPECT_TRUE(equivalenti);
}

// ---- Column widths ---------------------------------------------------------------------------

// The cells of one table of a report file: the text from the table's title to the next title.
std::string TrattoTabella(const std::string& testo, const std::string& titolo, const std::vector<std::string>& titoli) {
  const size_t inizio = testo.find(titolo);
  if (inizio == std::string::npos) return {};
  size_t fine = testo.size();
  for (const std::string& altro : titoli) {
    const size_t p = testo.find(altro, inizio + titolo.size());
    if (altro != titolo && p != std::string::npos && p < fine) fine = p;
  }
  return testo.substr(inizio, fine - inizio);
}

std::vector<std::string> CelleTXT(const std::string& tratto) {
  std::vector<std::string> celle;
  for (const std::string& riga : Righe(tratto)) {
    size_t inizio = 0;
    for (size_t p = riga.find('\t'); p != std::string::npos; p = riga.find('\t', inizio)) {
      celle.push_back(riga.substr(inizio, p - inizio));
      inizio = p + 1;
    }
  }
  return celle;
}

std::vector<std::string> CelleHTML(const std::string& tratto) {
  std::vector<std::string> celle;
  for (size_t p = tratto.find("mm;'>"); p != std::string::npos; p = tratto.find("mm;'>", p + 1)) {
    // A reference broken between its words over lines of its cell reads as one text.
    const size_t fine = tratto.find("</TD>", p + 5);
    std::string cella = tratto.substr(p + 5, fine - p - 5);
    for (size_t q = cella.find("\r\n"); q != std::string::npos; q = cella.find("\r\n")) cella.erase(q, 2);
    for (size_t q = cella.find("<BR>"); q != std::string::npos; q = cella.find("<BR>")) cella.replace(q, 4, " ");
    for (size_t q = cella.find("&quot;"); q != std::string::npos; q = cella.find("&quot;")) cella.replace(q, 6, "\"");
    // A value's blanks do not break: "1&nbsp;1/4&quot;" is "1 1/4\"".
    if (cella != "&nbsp;")
      for (size_t q = cella.find("&nbsp;"); q != std::string::npos; q = cella.find("&nbsp;")) cella.replace(q, 6, " ");
    celle.push_back(cella);
  }
  return celle;
}

bool Contiene(const std::vector<std::string>& celle, const std::string& testo) {
  for (const std::string& c : celle)
    if (c == testo) return true;
  return false;
}

// The longest values a valid network puts in its columns reach both report files whole: a
// cumulative drop above 100 Pa, a diameter with its inch mark, a flow with its simultaneity, the
// fittings' names; a value wider than its column widens the column instead of losing digits.
TEST_F(ReportFilesTest, TheLongestValuesOfEveryColumnAreWrittenWhole) {
  struct Caso {
    bool pressione;
    std::vector<ReportTable> tabelle;
    std::vector<std::string> attesi;  // texts that must stand whole in a cell
  };
  const Caso casi[] = {
      {false,
       {ReportTable::SegmentTable, ReportTable::LocalLossTable, ReportTable::WorstPathTable,
        ReportTable::ApplianceTable},
       {"1 1/4\"", "ACCIAIOT", "Riscaldamento", "Centrale termica"}},
      {true,
       {ReportTable::SegmentTable, ReportTable::LocalLossTable, ReportTable::EquivalentLengthTable,
        ReportTable::WorstPathTable, ReportTable::ApplianceTable},
       {"1 1/4\"", "[60%] 18,300", "Centrale termica"}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.pressione ? "pressurised" : "internal");
    test::PreparaCalcolo();
    Materiali[1][4].RifDiametro = "1 1/4\"";
    if (c.pressione) RendiPressurizzata();
    BloccoReti = {};
    // A long line to a boiler on a thin pipe: a cumulative drop above 100 Pa, lengths near 100 m.
    test::AggiungiProva(0, 95.5f);
    Tronco(1).ID_DIAMETRO = "1 1/4\"";
    Tronco(1).ID_DIAMCUSTOM = -1;
    Tronco(1).ID_RIF = "Centrale termica";
    test::AggiungiProva(1, 9.25f, 2.5f);
    Tronco(2).ID_DIAMETRO = "1/2";
    Tronco(2).ID_DIAMCUSTOM = -1;
    Tronco(2).TipologiaUtenza = 2;
    test::AggiungiProva(1, 3.5f, c.pressione ? 28.0f : 2.0f);
    Tronco(1).ID_CONTEMP = 60;
    Tronco(3).ID_SPC6 = 12;
    Tronco(3).ID_NCURVE = 15;
    Tronco(3).TipologiaUtenza = 2;
    Spunta({&StampaTronchi, &StampaPDCLocalizzate, &StampaVerifica, &StampaUtenze});
    const std::string nome = c.pressione ? "rete" : "casa";
    ScriviEntrambi(nome);

    std::vector<std::string> titoli;
    for (ReportTable t : c.tabelle) titoli.push_back(GetReportTitle(t));
    const std::string html = Testo(nome + ".html");
    const std::string txt = Testo(nome + ".txt");
    std::vector<std::string> tutte;
    size_t controllate = 0;
    for (ReportTable t : c.tabelle) {
      SCOPED_TRACE(GetReportTitle(t));
      const std::vector<std::string> celleHtml = CelleHTML(TrattoTabella(html, GetReportTitle(t), titoli));
      const std::vector<std::string> celleTxt = CelleTXT(TrattoTabella(txt, GetReportTitle(t), titoli));
      const int16_t view = GetReportView(t);
      for (int16_t seg : GetReportRows(t))
        for (int16_t col = 0; col <= UltimaColonnaReport(view); ++col) {
          const std::string intero = GetCellText(view, col, seg, 32767);
          EXPECT_TRUE(Contiene(celleHtml, intero.empty() ? "&nbsp;" : intero)) << "HTML cuts " << intero;
          EXPECT_TRUE(Contiene(celleTxt, intero)) << "text cuts " << intero;
          tutte.push_back(intero);
          ++controllate;
        }
    }
    EXPECT_GT(controllate, 40u);
    bool sopraCento = false;
    for (const std::string& v : tutte)
      if (!c.pressione && v.size() == 6 && v[3] == ',') sopraCento = true;
    if (!c.pressione) {
      EXPECT_TRUE(sopraCento) << "a value of 100 or more with two decimals";
    }
    for (const std::string& atteso : c.attesi) {
      bool trovato = false;
      for (const std::string& v : tutte) trovato = trovato || v == atteso;
      EXPECT_TRUE(trovato) << atteso;
    }
  }
}

// With the shipped column definitions and fittings, the two caption lines of every column of a
// report table, cut to the column, tell it apart from the other columns of its table.
TEST_F(ReportFilesTest, TheCaptionsOfEveryReportTableTellTheColumnsApart) {
  ASSERT_TRUE(CaricaSpeciali());
  for (int16_t view : {1, 2, 3, 4, 6, 7, 8, 9, 10}) {
    SCOPED_TRACE(view);
    const LayoutColonneFile layout = LayoutVista(view);
    std::vector<std::string> intestazioni;
    for (int16_t c = 0; c <= layout.Ultima; ++c) {
      const CaptionColonna caption = GetColumnCaption(view, c, layout.Limite[static_cast<size_t>(c)]);
      const std::string testo = caption.Titolo + "|" + caption.Unita;
      for (const std::string& altra : intestazioni) EXPECT_NE(testo, altra);
      intestazioni.push_back(testo);
    }
  }
}

// Every heading of every table reaches both files whole, as the report writes it with the
// shipped column definitions and fittings: no title or unit cut to its column, and a fitting's
// long name ("SARACINESCA", "VALVOLA DI RITEGNO") given back whole by its two heading lines, the
// column widening where a word or a line needs it. In the HTML a heading line never breaks again.
TEST_F(ReportFilesTest, EveryHeadingReadsWholeInBothFiles) {
  ASSERT_TRUE(CaricaSpeciali());
  for (const bool pressione : {false, true}) {
    SCOPED_TRACE(pressione ? "pressurised" : "internal");
    if (pressione) RendiPressurizzata();
    const std::vector<ReportTable> tabelle =
        pressione ? std::vector<ReportTable>{ReportTable::SegmentTable, ReportTable::LocalLossTable,
                                             ReportTable::EquivalentLengthTable, ReportTable::WorstPathTable,
                                             ReportTable::ApplianceTable}
                  : std::vector<ReportTable>{ReportTable::SegmentTable, ReportTable::LocalLossTable,
                                             ReportTable::WorstPathTable, ReportTable::ApplianceTable};
    Spunta({&StampaTronchi, &StampaPDCLocalizzate, &StampaVerifica, &StampaUtenze});
    const std::string nome = pressione ? "rete" : "casa";
    ScriviEntrambi(nome);

    std::vector<std::string> titoli;
    for (ReportTable t : tabelle) titoli.push_back(GetReportTitle(t));
    const std::string html = Testo(nome + ".html");
    const std::string txt = Testo(nome + ".txt");
    size_t nomiLunghi = 0;
    for (ReportTable t : tabelle) {
      SCOPED_TRACE(GetReportTitle(t));
      const int16_t view = GetReportView(t);
      // HTML: each heading cell is its lines, one after the other, <BR> between them.
      std::vector<std::string> intestazioniHtml;
      const std::string trattoHtml = TrattoTabella(html, GetReportTitle(t), titoli);
      for (size_t p = trattoHtml.find("<TD class='titlecolum"); p != std::string::npos;
           p = trattoHtml.find("<TD class='titlecolum", p + 1)) {
        const size_t inizio = trattoHtml.find("mm;'>", p) + 5;
        const size_t fine = trattoHtml.find("</TD>", inizio);
        std::string righe = trattoHtml.substr(inizio, fine - inizio);
        for (size_t q = righe.find("\r\n"); q != std::string::npos; q = righe.find("\r\n")) righe.erase(q, 2);
        // Each line stays one line in the browser: its blanks do not break.
        EXPECT_EQ(righe.find(' '), std::string::npos) << righe;
        for (size_t q = righe.find("&nbsp;"); q != std::string::npos; q = righe.find("&nbsp;")) righe.replace(q, 6, " ");
        for (size_t q = righe.find("<BR>"); q != std::string::npos; q = righe.find("<BR>")) righe.replace(q, 4, " ");
        intestazioniHtml.push_back(Trim(righe));
      }
      // Text: the first line of the table holding a separator is its heading line.
      std::vector<std::string> intestazioniTxt;
      for (const std::string& riga : Righe(TrattoTabella(txt, GetReportTitle(t), titoli))) {
        if (riga.find('\t') == std::string::npos) continue;
        for (const std::string& cella : CelleTXT(riga + "\r\n")) intestazioniTxt.push_back(Trim(cella));
        break;
      }
      const auto colonne = static_cast<size_t>(UltimaColonnaReport(view) + 1);
      ASSERT_EQ(intestazioniHtml.size(), colonne);
      ASSERT_EQ(intestazioniTxt.size(), colonne);
      for (int16_t c = 0; c <= UltimaColonnaReport(view); ++c) {
        const CaptionColonna intera = GetColumnCaption(view, c, 32767);
        const bool nome = view == 9 && ColonneGriglia[9][static_cast<size_t>(c)].IdCampo >= campo::ID_SPC5;
        // Every heading keeps its title and its unit line, a fitting's long name ("N.") too.
        const std::string attesa = Trim(intera.Titolo + " " + intera.Unita);
        for (const std::string* letta : {&intestazioniHtml[static_cast<size_t>(c)], &intestazioniTxt[static_cast<size_t>(c)]}) {
          EXPECT_EQ(*letta, attesa) << "column " << c;
        }
        if (nome) {
          EXPECT_EQ(intera.Unita, "N.") << "column " << c;
        }
        if (nome && Len(intera.Titolo) > 8 && intera.Titolo.find(' ') != std::string::npos) ++nomiLunghi;
      }
    }
    // The shipped names longer than their column: the case this is about.
    if (pressione) {
      EXPECT_GE(nomiLunghi, 4u);
    }
  }
}

// Every HTML table, the pressurised fittings with their long shipped names included, lies within
// the page body's 170 mm: the widths its heading cells declare add up to no more.
TEST_F(ReportFilesTest, EveryHtmlTableFitsTheBodyWidth) {
  ASSERT_TRUE(CaricaSpeciali());
  for (const bool pressione : {false, true}) {
    SCOPED_TRACE(pressione ? "pressurised" : "internal");
    if (pressione) RendiPressurizzata();
    Spunta({&StampaTronchi, &StampaPDCLocalizzate, &StampaVerifica, &StampaUtenze});
    const std::string nome = pressione ? "rete" : "casa";
    finestre.risposte.push_back(uscita.File(nome + ".html"));
    utente.Attendi("HTML conclusa con successo");
    PrintHTMLReport(0);
    const std::string html = Testo(nome + ".html");
    size_t tabelle = 0;
    for (size_t riga = html.find("<TR>\r\n<TD class='titlecolum"); riga != std::string::npos;
         riga = html.find("<TR>\r\n<TD class='titlecolum", riga + 1)) {
      const std::string intestazione = html.substr(riga, html.find("</TR>", riga) - riga);
      double somma = 0;
      for (size_t w = intestazione.find("width:"); w != std::string::npos; w = intestazione.find("width:", w + 1))
        somma += std::stod(intestazione.substr(w + 6));
      EXPECT_LE(somma, 170.0) << "table " << tabelle;
      ++tabelle;
    }
    EXPECT_GE(tabelle, pressione ? 5u : 4u);
    AzzeraSezioni();
  }
}

// The tables of an HTML report as a browser lays them out: each table tag's header row (the
// heading cells, one text each) and its rows (each cell's lines), with the type every cell declares.
struct TabellaHTML {
  std::vector<std::string> intestazioni;
  std::vector<double> larghezze;                              // mm, of the heading cells
  std::vector<std::vector<std::vector<std::string>>> righe;  // by row, then cell, its lines
  std::vector<double> tipi;                                  // mm, of every cell
};

std::string TestoCellaHTML(std::string cella) {
  for (size_t q = cella.find("\r\n"); q != std::string::npos; q = cella.find("\r\n")) cella.erase(q, 2);
  for (size_t q = cella.find("&nbsp;"); q != std::string::npos; q = cella.find("&nbsp;")) cella.replace(q, 6, " ");
  for (size_t q = cella.find("&quot;"); q != std::string::npos; q = cella.find("&quot;")) cella.replace(q, 6, "\"");
  return cella;
}

std::vector<TabellaHTML> TabelleHTML(const std::string& html) {
  std::vector<TabellaHTML> tabelle;
  const std::string tag = "<TABLE align='CENTER' cellspacing=0 class='datatable'>";
  for (size_t t = html.find(tag); t != std::string::npos; t = html.find(tag, t + 1)) {
    const std::string corpo = html.substr(t, html.find("</TABLE>", t) - t);
    TabellaHTML tabella;
    for (size_t r = corpo.find("<TR>"); r != std::string::npos; r = corpo.find("<TR>", r + 1)) {
      const std::string riga = corpo.substr(r, corpo.find("</TR>", r) - r);
      std::vector<std::vector<std::string>> celle;
      const bool intestazione = riga.find("class='titlecolum") != std::string::npos;
      for (size_t c = riga.find("<TD "); c != std::string::npos; c = riga.find("<TD ", c + 1)) {
        const size_t inizio = riga.find("mm;'>", c) + 5;
        const std::string stile = riga.substr(c, inizio - c);
        const size_t tipo = stile.find("font-size:");
        tabella.tipi.push_back(tipo == std::string::npos ? 99 : std::stod(stile.substr(tipo + 10)));
        const std::string testo = TestoCellaHTML(riga.substr(inizio, riga.find("</TD>", inizio) - inizio));
        if (intestazione) {
          std::string unita = testo;
          for (size_t q = unita.find("<BR>"); q != std::string::npos; q = unita.find("<BR>")) unita.replace(q, 4, " ");
          tabella.intestazioni.push_back(Trim(unita));
          tabella.larghezze.push_back(std::stod(stile.substr(stile.find("width:") + 6)));
          continue;
        }
        std::vector<std::string> linee;
        for (size_t da = 0;;) {
          const size_t br = testo.find("<BR>", da);
          linee.push_back(testo.substr(da, br == std::string::npos ? std::string::npos : br - da));
          if (br == std::string::npos) break;
          da = br + 4;
        }
        celle.push_back(linee);
      }
      if (!intestazione) tabella.righe.push_back(celle);
    }
    tabelle.push_back(tabella);
  }
  return tabelle;
}

// Whatever a table holds (a reference of 120 letters with or without blanks, a long series name and
// diameter label, the long names of the pressurised fittings), its HTML never asks a browser for
// type below the smallest a client reads (6 points, printed from the browser on A4 at its size):
// every table lies within the body's 170 mm, a table that would need smaller type is split into
// bands of columns each led by the segment number, a reference breaks between its words and
// reaches the page whole, and every value stands whole on one line.
TEST_F(ReportFilesTest, HtmlTablesNeverGoBelowTheSmallestTypeAndSplitIntoBands) {
  ASSERT_TRUE(CaricaSpeciali());
  std::string conSpazi;
  while (Len(conSpazi) < 114) conSpazi += "RISCALDAMENTO CUCINA ";
  conSpazi = Trim(Left(conSpazi, 120));
  const std::string senzaSpazi(120, 'W');
  struct Caso {
    const char* nome;
    bool pressione;
    std::string riferimento;
    bool serieLunga;  // a 40-letter series name and diameter label: more than a band holds
  };
  const Caso casi[] = {
      {"spazi", false, conSpazi, false},
      {"senzaspazi", false, senzaSpazi, false},
      {"retespazi", true, conSpazi, false},
      {"retesenzaspazi", true, senzaSpazi, false},
      {"bande", false, "CENTRALE TERMICA", true},
      {"retebande", true, senzaSpazi, true},
  };
  const double minimo = 6 * 25.4 / 72 - 0.005;
  for (const Caso& k : casi) {
    SCOPED_TRACE(k.nome);
    test::PreparaCalcolo();
    if (k.pressione) RendiPressurizzata();
    BloccoReti = {};
    test::AggiungiProva(0, 10);
    test::AggiungiProva(1, 5, k.pressione ? 10.0f : 1.0f);
    test::AggiungiProva(1, 4, k.pressione ? 20.0f : 2.0f);
    Tronco(2).ID_RIF = k.riferimento;
    Tronco(3).ID_SPC6 = 2;
    if (k.serieLunga) {
      const std::string serie = "ACCIAIO ZINCATO" + std::string(25, 'Z');
      Materiali[1][0].Nome = serie;
      Materiali[1][4].RifDiametro = std::string(40, '4');
      for (int16_t s = 1; s <= 3; ++s) {
        Tronco(s).ID_MATERIALE = serie;
        Tronco(s).ID_DIAMETRO = Materiali[1][4].RifDiametro;
        Tronco(s).ID_DIAMCUSTOM = -1;
      }
    }
    Spunta({&StampaTronchi, &StampaPDCLocalizzate, &StampaVerifica, &StampaUtenze});
    const std::string html = ScriviHtml(std::string(k.nome) + ".html");
    const std::vector<TabellaHTML> tabelle = TabelleHTML(html);
    ASSERT_GE(tabelle.size(), k.pressione ? 5u : 4u);
    size_t riferimenti = 0;
    for (const TabellaHTML& t : tabelle) {
      ASSERT_FALSE(t.intestazioni.empty());
      double somma = 0;
      for (double w : t.larghezze) somma += w;
      EXPECT_LE(somma, 170.0);
      for (double tipo : t.tipi) EXPECT_GE(tipo, minimo);
      // Every band is led by the segment number.
      std::vector<std::string> numeri;
      for (int16_t view : {1, 2, 3, 4, 6, 7, 8, 9, 10})
        numeri.push_back(Trim(GetColumnCaption(view, 0, 32767).Titolo + " " + GetColumnCaption(view, 0, 32767).Unita));
      EXPECT_TRUE(Contiene(numeri, t.intestazioni[0])) << t.intestazioni[0];
      for (const auto& riga : t.righe) {
        ASSERT_EQ(riga.size(), t.intestazioni.size());
        for (const auto& linee : riga) {
          std::string unito;
          for (const std::string& l : linee) unito += l;
          if (SenzaACapo(unito).find(SenzaACapo(k.riferimento).substr(0, 12)) == std::string::npos) {
            EXPECT_EQ(linee.size(), 1u) << "a value broken over lines: " << unito;
            continue;
          }
          ++riferimenti;
          std::string atteso = k.riferimento;
          if (k.riferimento.find(' ') != std::string::npos) {
            // Broken between words: each line whole words, in order.
            unito.clear();
            for (const std::string& l : linee) {
              EXPECT_NE((" " + k.riferimento + " ").find(" " + l + " "), std::string::npos) << "[" << l << "]";
              unito += (unito.empty() ? "" : " ") + l;
            }
          }
          EXPECT_EQ(unito, atteso) << "the reference whole";
        }
      }
    }
    const size_t bande = Conta(html, " (continua)</SPAN>");
    EXPECT_GE(riferimenti, 1u);
    // A reference's word no column holds whole is split where it stands: a band of its own would
    // not hold it whole either.
    if (!k.serieLunga) {
      EXPECT_EQ(bande, 0u) << "a band for a reference";
    }
    if (k.serieLunga) {
      EXPECT_GT(bande, 0u) << "split into bands";
      // The bands of the segment table hold every column once, the segment number in each.
      const int16_t view = GetReportView(ReportTable::SegmentTable);
      size_t colonne = 0, tabelleSegmenti = 0;
      const std::vector<TabellaHTML> segmenti = TabelleHTML(TrattoTabella(html, GetReportTitle(ReportTable::SegmentTable),
                                                                          {GetReportTitle(ReportTable::SegmentTable),
                                                                           GetReportTitle(ReportTable::LocalLossTable)}));
      for (const TabellaHTML& t : segmenti) {
        colonne += t.intestazioni.size();
        ++tabelleSegmenti;
      }
      EXPECT_GT(tabelleSegmenti, 1u);
      EXPECT_EQ(colonne, static_cast<size_t>(UltimaColonnaReport(view)) + tabelleSegmenti);
    }
    AzzeraSezioni();
  }
}

// The header shows the logo with its own proportions: at its own size up to the largest logo a
// page header takes (184 x 41 pixels), shrunk with its proportions beyond that, never enlarged;
// on every page and on the diagram page.
TEST_F(ReportFilesTest, TheHeaderLogoKeepsItsProportions) {
  struct Caso {
    PixelImmagine logo;
    PixelImmagine atteso;
  };
  const Caso casi[] = {{{136, 41}, {136, 41}}, {{184, 41}, {184, 41}}, {{40, 20}, {40, 20}},
                       {{240, 72}, {137, 41}}, {{400, 41}, {184, 19}}, {{50, 200}, {10, 41}}};
  for (const Caso& k : casi) {
    const std::string nome = std::to_string(k.logo.larghezza) + "x" + std::to_string(k.logo.altezza);
    SCOPED_TRACE(nome);
    finestre.pixelLogo = k.logo;
    Spunta({&StampaCopertina, &StampaDiagrammaRete});
    finestre.risposte.push_back(uscita.File(nome + ".html"));
    utente.Attendi("HTML conclusa con successo");
    PrintHTMLReport(0);
    const std::string html = Testo(nome + ".html");
    const std::string misura =
        "width='" + std::to_string(k.atteso.larghezza) + "' height='" + std::to_string(k.atteso.altezza) + "'";
    EXPECT_EQ(Conta(html, "<IMG src='logo.bmp' " + misura + " >"), Conta(html, "<DIV class='footerpage'") - 1);
    EXPECT_EQ(Conta(html, "<IMG src='logo.bmp' " + misura + ">"), 1u);  // the diagram page
    EXPECT_EQ(Conta(html, "<IMG src='logo.bmp'"), Conta(html, "<DIV class='footerpage'"));
    AzzeraSezioni();
  }
}

// ---- Tightness report ------------------------------------------------------------------------

// A long note of the tightness report wraps in both files: text lines of at most 80 characters,
// HTML lines broken at the body's width; every word is kept, and the note's own line break too.
TEST_F(ReportFilesTest, ALongTightnessNoteWrapsInBothFiles) {
  std::string nota;
  for (int i = 0; i < 50; ++i) nota += "parola" + std::to_string(i) + " ";
  nota += std::string(200, 'x') + "\r\nseconda riga";
  TenutaImpianto.Note = nota;
  Spunta({&StampaTenutaImpianto});
  ScriviEntrambi("nota");

  const std::string txt = Testo("nota.txt");
  std::string unito;
  for (const std::string& r : Righe(txt)) {
    EXPECT_LE(Len(r), 80u) << r;
    unito += r + " ";
  }
  for (int i = 0; i < 50; ++i) EXPECT_NE(unito.find("parola" + std::to_string(i) + " "), std::string::npos) << i;
  size_t x = 0;
  for (char c : unito) x += c == 'x';
  EXPECT_EQ(x, 200u);
  EXPECT_NE(unito.find(" seconda riga "), std::string::npos);

  const std::string html = Testo("nota.html");
  const size_t inizio = html.find("parola0");
  ASSERT_NE(inizio, std::string::npos);
  const std::string parte = html.substr(inizio, html.find("seconda riga") - inizio);
  EXPECT_GE(Conta(parte, "<BR>"), 5u);
  size_t pos = 0;
  for (size_t br = parte.find("<BR>"); br != std::string::npos; br = parte.find("<BR>", pos)) {
    // A page may end between two lines of the note.
    if (parte.substr(pos, br - pos).find("<DIV class='footerpage'") == std::string::npos) {
      EXPECT_LE(br - pos, 85u);
    }
    pos = br + 4;
  }
}

// A tightness report with long free texts (firm, owner, a 1400-character note) runs over more
// than one HTML page without a block crossing a page's end: every page body, measured with the
// heights a browser gives its lines, ends above the footer rule, and the signatures lie whole on
// the last page.
TEST_F(ReportFilesTest, TheHtmlTightnessReportBreaksItsPagesBetweenBlocks) {
  std::string lungo;
  for (int i = 0; i < 24; ++i) lungo += "testo" + std::to_string(i) + " ";
  std::string nota;
  while (Len(nota) < 1400) nota += "nota della prova di tenuta " + std::to_string(Len(nota)) + " ";
  TenutaImpianto.Metodo = 1;
  TenutaImpianto.RagSociale = "Ditta " + lungo;
  TenutaImpianto.Indirizzo = "Via " + lungo;
  TenutaImpianto.NomeTecnico = "Tecnico " + lungo;
  TenutaImpianto.ProprietarioNome = "Proprietario " + lungo;
  TenutaImpianto.ProprietarioNome2 = "Occupante " + lungo;
  TenutaImpianto.ProprietarioVia = "Via " + lungo;
  TenutaImpianto.Cause = "x;x;x;x;x;x;x";
  TenutaImpianto.CausaAltro = lungo;
  TenutaImpianto.Note = nota;
  Spunta({&StampaCopertina, &StampaTronchi, &StampaTenutaImpianto});
  finestre.risposte.push_back(uscita.File("tenuta.html"));
  utente.Attendi("HTML conclusa con successo");
  PrintHTMLReport(0);
  const std::string html = Testo("tenuta.html");
  const size_t inizio = html.find("Verifica di tenuta dell'impianto");
  ASSERT_NE(inizio, std::string::npos);
  // Each page body of the section, from its opening to the footer that closes it.
  size_t pagine = 0;
  bool firme = false;
  for (size_t corpo = html.rfind("<DIV class='bodypage'", inizio); corpo != std::string::npos;
       corpo = html.find("<DIV class='bodypage'", corpo + 1)) {
    const size_t fine = html.find("<DIV class='footerpage'", corpo);
    ASSERT_NE(fine, std::string::npos);
    const std::string pagina = html.substr(corpo, fine - corpo);
    ++pagine;
    SCOPED_TRACE("page " + std::to_string(pagine));
    EXPECT_LE(AltezzaCorpoHtml(pagina), 248.0) << "the body starts 17 mm down and the footer rule is at 265 mm";
    if (pagina.find("Timbro e Firma") != std::string::npos) {
      firme = true;
      EXPECT_NE(pagina.find("Firma per accettazione"), std::string::npos) << "both signatures on one page";
    }
  }
  EXPECT_GE(pagine, 2u);
  EXPECT_TRUE(firme);
}

TEST_F(ReportFilesTest, TightnessReportSpacingAndCauses) {
  struct Caso {
    int16_t metodo;
    size_t spaziature;
  };
  for (const Caso c : {Caso{0, 12}, Caso{1, 13}, Caso{2, 13}}) {
    SCOPED_TRACE(c.metodo);
    AzzeraSezioni();
    Spunta({&StampaTenutaImpianto});
    TenutaImpianto.Metodo = c.metodo;
    TenutaImpianto.Cause = ";x;;;x;;";
    TenutaImpianto.AppAltroNum = 0;
    TenutaImpianto.AppAltroDesc = "stufa";
    // A record with its date: without one, the date's line and its spacing are left out.
    TenutaImpianto.DataEsecuzione = "10/05/2009";
    TenutaImpianto.OraEsecuzione = "10:30";
    fs::remove(uscita.File("tenuta.html"));
    finestre.risposte.push_back(uscita.File("tenuta.html"));
    utente.Attendi("conclusa con successo");
    PrintHTMLReport(0);
    const std::string html = Testo("tenuta.html");
    EXPECT_EQ(Conta(html, "<SPAN class='lineverticalspacing'>&nbsp;</SPAN><BR>"), c.spaziature);
    EXPECT_NE(html.find("<tr>\r\n<td width=50%></td><td width=50%></td>\r\n</tr>\r\n"
                        "<tr><td>- Sostituzione tipo di gas</td>\r\n"
                        "<td>- Esito incerto secondo UNI 10738</td></tr>\r\n</TABLE>"),
              std::string::npos);
    EXPECT_NE(html.find("<tr>\r\n<td>n° 0</td><td> di altro tipo</td>\r\n<td></td>\r\n</tr>\r\n</TABLE>"),
              std::string::npos);
    EXPECT_NE(html.find("<table><tr>\r\n<td width=50% align=center>\r\n<span style=\"font-weight: bold;\">\r\n"
                        "<span class=\"sectionwords\">     Timbro e Firma</span>\r\n</span>\r\n</td>"),
              std::string::npos);
    EXPECT_EQ(html.find("stufa"), std::string::npos);
    if (c.metodo == 2) {
      // The same limit as the page that lets the method be chosen.
      EXPECT_NE(SenzaACapo(html).find("(soloperimpiantoconcapacità&lt;=25litri)"), std::string::npos);
      EXPECT_EQ(html.find("&gt; 25 litri"), std::string::npos);
    }
    if (c.metodo == 0) {
      EXPECT_NE(html.find("<span class=\"sectionwords\">METODOLOGIA DI VERIFICA APPLICATA:</span>\r\n</span>\r\n"
                          "<span class=\"sectionwords\">Non indicata</span>\r\n<br>\r\n"),
                std::string::npos);
    }
  }
}

TEST_F(ReportFilesTest, ANetworkTheCalculationRefusesGivesNoReport) {
  // Empty tables with totals of 0 would read as a result: no file is asked for or written.
  Spunta({&StampaCopertina, &StampaTronchi, &StampaComputo});
  GasCorrente.Viscosita = 0;
  utente.Attendi("non ha viscosita'");
  utente.Attendi("Il calcolo della rete non e' stato eseguito: il report non viene prodotto.");
  PrintHTMLReport(0);
  // The refusal was told with the first run and nothing changed since: the second says only that
  // no report comes.
  utente.Attendi("Il calcolo della rete non e' stato eseguito: il report non viene prodotto.");
  PrintTXTReport();
  EXPECT_TRUE(finestre.richieste.empty());
  EXPECT_EQ(utente.messaggi.size(), 3u);
  EXPECT_TRUE(fs::is_empty(uscita.Path()));
}

TEST_F(ReportFilesTest, TightnessSectionOnlyForAnInternalInstallationWithItsVerdictIfAny) {
  // A pressurised network has no tightness test: the section is left out as if it were not
  // ticked, whatever the record holds. An internal installation whose record has no verdict
  // prints the record without one.
  struct Caso {
    bool pressione;
    int16_t risultato;
    bool sezione;
  } casi[] = {{true, 0, false}, {true, 1, false}, {false, 0, true}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.pressione) + " " + std::to_string(c.risultato));
    AzzeraSezioni();
    if (c.pressione) {
      RendiPressurizzata();
      BloccoReti = {};
      test::AggiungiProva(0, 10);
      test::AggiungiProva(1, 5, 10.0f);
    }
    TenutaImpianto = TTenutaImpianto{};
    TenutaImpianto.FamigliaGas = 2;
    TenutaImpianto.Risultato = c.risultato;
    TenutaImpianto.Metodo = 2;
    Spunta({&StampaCopertina, &StampaTenutaImpianto});
    fs::remove(uscita.File("t.html"));
    fs::remove(uscita.File("t.txt"));
    finestre.risposte.push_back(uscita.File("t.html"));
    finestre.risposte.push_back(uscita.File("t.txt"));
    utente.Attendi("HTML conclusa con successo");
    utente.Attendi("TXT conclusa con successo");
    PrintHTMLReport(0);
    PrintTXTReport();
    for (const char* nome : {"t.html", "t.txt"}) {
      const std::string testo = Testo(nome);
      EXPECT_EQ(testo.find("Verifica di tenuta dell'impianto") != std::string::npos, c.sezione) << nome;
      EXPECT_EQ(testo.find("RISULTATO DELLA VERIFICA") != std::string::npos, c.sezione) << nome;
      EXPECT_EQ(testo.find("idonea"), std::string::npos) << nome;
      // Without a verdict the line under the heading says why, instead of standing blank.
      EXPECT_EQ(SenzaACapo(testo).find("Nessunesito:datidellaprovaincompleti,mancalacapacitàdelcontatore.") !=
                    std::string::npos,
                c.sezione)
          << nome;
      // The pressure-drop method with the same limit as the page.
      const std::string limite = nome == std::string("t.html") ? "capacità&lt;=25litri)" : "capacità<=25litri)";
      EXPECT_EQ(SenzaACapo(testo).find(limite) != std::string::npos, c.sezione) << nome;
      EXPECT_EQ(testo.find("> 25 litri"), std::string::npos) << nome;
    }
    // The progress bar counts only the sections written.
    EXPECT_TRUE(finestre.Visto(c.sezione ? "bar 0/2" : "bar 0/1"));
    finestre.eventi.clear();
    ReteInPressione = 0;
  }
}

// An address of empty fields prints no separator alone and no empty line in either file; a filled
// one reads as before; a value keeps its unit (the HTML joins them with "&nbsp;"); the page footer
// has no dash without a firm code.
TEST_F(ReportFilesTest, TheTightnessReportsPrintNoStraySeparatorAndKeepValuesWithUnits) {
  Spunta({&StampaTenutaImpianto});
  TTenutaImpianto& t = TenutaImpianto;
  t.ProprietarioNome = "Rossi";
  t.Metodo = 1;
  t.ProvaContPRif = "2200";
  t.ProvaContDispRif = "0,55";
  DittaAgente.clear();
  ScriviEntrambi("vuoto");
  const std::string txt = Testo("vuoto.txt");
  const std::string html = Testo("vuoto.html");
  const std::vector<std::string> righe = Righe(txt);
  for (size_t i = 0; i < righe.size(); ++i) {
    const std::string r = Trim(righe[i]);
    EXPECT_TRUE(r != "n°" && r != "()  -" && r.rfind("()", 0) != 0) << r;
    if (righe[i] == "Rossi") {
      ASSERT_LT(i + 2, righe.size());
      EXPECT_TRUE(righe[i + 1].empty()) << righe[i + 1];
      EXPECT_EQ(righe[i + 2], "Proprietario (se diverso dall'occupante) ");
    }
  }
  EXPECT_NE(txt.find("\r\nRossi\r\n\r\nProprietario"), std::string::npos);
  EXPECT_EQ(html.find("> n°"), std::string::npos);
  EXPECT_EQ(html.find("()"), std::string::npos);
  EXPECT_NE(txt.find("Pressione di riferimento (ricavata come da norma UNI): 2200 (Pa)"), std::string::npos);
  EXPECT_NE(txt.find("Dispersione di riferimento (ricavata come da norma UNI): 0,55 (l/h)"), std::string::npos);
  EXPECT_NE(html.find("UNI): 2200&nbsp;(Pa)"), std::string::npos);
  EXPECT_NE(html.find("UNI): 0,55&nbsp;(l/h)"), std::string::npos);
  EXPECT_EQ(html.find(VersioneProgramma + " -"), std::string::npos);
  EXPECT_NE(html.find(VersioneProgramma), std::string::npos);

  t.ProprietarioVia = "Via Roma";
  t.ProprietarioNumero = "12";
  t.ProprietarioScala = "B";
  t.ProprietarioComuneInstall = "Milano";
  t.ProprietarioProv = "MI";
  t.ProprietarioCap = "20100";
  DittaAgente = "AG";
  ScriviEntrambi("pieno");
  const std::string txtPieno = Testo("pieno.txt");
  const std::string htmlPieno = Testo("pieno.html");
  EXPECT_NE(txtPieno.find("\r\nVia Roma n° 12 scala B\r\nMilano (MI)  - 20100\r\n"), std::string::npos);
  EXPECT_NE(htmlPieno.find("Via Roma n°&nbsp;12 scala B"), std::string::npos);
  EXPECT_NE(htmlPieno.find("Milano (MI)  - 20100"), std::string::npos);
  EXPECT_NE(htmlPieno.find(VersioneProgramma + " - AG      "), std::string::npos);
  DittaAgente.clear();
}

TEST_F(ReportFilesTest, TheTightnessReportsCarryThePagesLineUnderTheVerdict) {
  // The page fills the record; each report refreshes it and must give the verdict and the line
  // under it exactly as the page shows them.
  for (const test::CasoUscitaTenuta& c : test::CasiUscitaTenuta()) {
    SCOPED_TRACE(c.nome);
    AzzeraSezioni();
    Spunta({&StampaTenutaImpianto});
    test::PaginaTenutaProva pagina;
    const std::string nota = test::CompilaCasoTenuta(c, pagina);
    if (*c.verdetto == '\0') {
      ASSERT_FALSE(nota.empty());
    }
    fs::remove(uscita.File("t.html"));
    fs::remove(uscita.File("t.txt"));
    ScriviEntrambi("t");
    for (const char* nome : {"t.html", "t.txt"}) {
      SCOPED_TRACE(nome);
      const bool html = nome == std::string("t.html");
      const std::string testo = SenzaACapo(Testo(nome));
      const auto trova = [&](std::string cercato) {
        if (html) cercato = EscapeHTML(cercato);
        return testo.find(SenzaACapo(cercato)) != std::string::npos;
      };
      if (!nota.empty()) {
        EXPECT_TRUE(trova(nota)) << nota;
      }
      if (*c.verdetto != '\0') {
        EXPECT_TRUE(trova(c.verdetto));
      } else {
        EXPECT_EQ(testo.find("idonea"), std::string::npos);
      }
      if (*c.testo != '\0') {
        EXPECT_TRUE(trova(c.testo)) << c.testo;
      }
      EXPECT_FALSE(trova("Nessun esito: la verifica non è stata eseguita."));
    }
  }
}

TEST_F(ReportFilesTest, TheTightnessSectionIsWrittenWhenTheNetworkCalculationIsRefused) {
  // The calculation refuses the network (a gas without viscosity). The tightness record needs no
  // result: ticked alone it is written, with the reason of its unknown capacity; ticked with
  // other sections it is written alone, and the user is told.
  GasCorrente.Viscosita = 0;
  const char* const soloTenuta = "il report contiene solo la verifica di tenuta dell'impianto";
  for (bool altre : {false, true}) {
    SCOPED_TRACE(altre ? "with the tables" : "alone");
    TenutaImpianto = TTenutaImpianto{};
    TenutaImpianto.FamigliaGas = 2;
    TenutaImpianto.Metodo = 2;
    TenutaImpianto.CapacitaContatore = "2,0";
    TenutaImpianto.CapacitaImpianto = "NC";
    TenutaImpianto.CapacitaTotale = "NC";
    fs::remove(uscita.File("r.html"));
    fs::remove(uscita.File("r.txt"));
    for (bool html : {true, false}) {
      AzzeraSezioni();
      if (altre) Spunta({&StampaCopertina, &StampaTronchi});
      Spunta({&StampaTenutaImpianto});
      utente.PermettiTutti();
      utente.messaggi.clear();
      // Each run as on a project just opened: a refusal already told for it is not told again.
      DimenticaProgettoSalvato();
      finestre.risposte.push_back(uscita.File(html ? "r.html" : "r.txt"));
      if (html)
        PrintHTMLReport(0);
      else
        PrintTXTReport();
      bool avviso = false, fatto = false;
      int rifiuti = 0;
      for (const auto& m : utente.messaggi) {
        avviso = avviso || m.testo.find(soloTenuta) != std::string::npos;
        fatto = fatto || m.testo.find("conclusa con successo") != std::string::npos;
        rifiuti += m.testo.find("non ha viscosita'") != std::string::npos;
      }
      EXPECT_EQ(avviso, altre);
      EXPECT_TRUE(fatto);
      // The calculation's refusal is told once, not again by the run.
      EXPECT_EQ(rifiuti, 1);
    }
    for (const char* nome : {"r.html", "r.txt"}) {
      SCOPED_TRACE(nome);
      const std::string testo = Testo(nome);
      EXPECT_NE(testo.find("RISULTATO DELLA VERIFICA"), std::string::npos);
      EXPECT_NE(SenzaACapo(testo).find("Nessunesito:lacapacitàdell'impianto"), std::string::npos);
      EXPECT_EQ(testo.find("Tabella dati tronchi"), std::string::npos);
    }
  }
}

TEST_F(ReportFilesTest, ATightnessHeadingNeverEndsAnHtmlPageAlone) {
  // The shipped example's record, its occupant's name grown a line at a time, moving every block
  // after it down the page: at no length may a heading stand at the foot of a page with its block
  // on the next (the example itself put "RISULTATO DELLA VERIFICA" there).
  TextReader esempio;
  ASSERT_TRUE(esempio.Open(std::string(VARNEX_SOURCE_DATA_DIR) + "/Archivio Lavori/Villetta.RTG"));
  ASSERT_TRUE(TenutaImpiantoLoad(esempio));
  const TTenutaImpianto registrato = TenutaImpianto;
  Spunta({&StampaTenutaImpianto});
  int spostamenti = 0;
  for (int righe = 0; righe < 50; ++righe) {
    SCOPED_TRACE(righe);
    TenutaImpianto = registrato;
    TenutaImpianto.Note = "Nessuna anomalia";
    for (int k = 0; k < righe; ++k) TenutaImpianto.ProprietarioNome += " " + std::string(80, 'n');
    const std::string html = ScriviHtml("h" + std::to_string(righe) + ".html");
    for (const char* titolo : {"RISULTATO DELLA VERIFICA", "CONTROLLO DISPOSITIVO DI INTERCETTAZIONE", "NOTE",
                               "APPARECCHI ALIMENTATI DALL'IMPIANTO"}) {
      SCOPED_TRACE(titolo);
      const size_t inizio = html.find(std::string(">") + titolo + "<");
      ASSERT_NE(inizio, std::string::npos);
      // The first line of the block: the next text after the heading (an empty span is none).
      size_t riga = html.find("sectionwords\">", inizio + 1);
      while (riga != std::string::npos && html.compare(riga + 14, 1, "<") == 0)
        riga = html.find("sectionwords\">", riga + 1);
      const size_t tabella = html.find("<TABLE", inizio + 1);
      const size_t fine = std::min(riga, tabella);
      ASSERT_NE(fine, std::string::npos);
      EXPECT_EQ(html.substr(inizio, fine - inizio).find("footerpage"), std::string::npos);
    }
    const size_t risultato = html.find(">RISULTATO DELLA VERIFICA<");
    const size_t pagina = html.rfind("headerpage", risultato);
    spostamenti += html.find("CONTROLLO DISPOSITIVO") < pagina;
  }
  // The heading went over with its block at some lengths: the sweep reached the page's foot.
  EXPECT_GT(spostamenti, 0);
}

// A long "Altro" cause and a long description of other appliances wrap in their cells: the page
// counts every line they take, and the firm's block goes with the signatures, as on paper; at no
// length do the signatures stand on a page of their own, or the firm's lines on another.
TEST_F(ReportFilesTest, TheHtmlTightnessRecordMeasuresWrappedRowsAndKeepsTheFirmWithTheSignatures) {
  TextReader esempio;
  ASSERT_TRUE(esempio.Open(std::string(VARNEX_SOURCE_DATA_DIR) + "/Archivio Lavori/Villetta.RTG"));
  ASSERT_TRUE(TenutaImpiantoLoad(esempio));
  const TTenutaImpianto registrato = TenutaImpianto;
  Spunta({&StampaTenutaImpianto});
  for (int parole = 0; parole < 60; parole += 3) {
    SCOPED_TRACE(parole);
    TenutaImpianto = registrato;
    TenutaImpianto.Cause = "1;;;;;;7";
    TenutaImpianto.CausaAltro.clear();
    for (int k = 0; k < parole; ++k) TenutaImpianto.CausaAltro += "sostituzione ";
    TenutaImpianto.AppAltroNum = 1;
    TenutaImpianto.AppAltroDesc.clear();
    for (int k = 0; k < parole; ++k) TenutaImpianto.AppAltroDesc += "stufa ";
    const std::string html = ScriviHtml("a" + std::to_string(parole) + ".html");
    const size_t ditta = html.find(">Dati dell'impresa e/o del tecnico");
    const size_t firma = html.find("Firma per accettazione");
    ASSERT_NE(ditta, std::string::npos);
    ASSERT_NE(firma, std::string::npos);
    EXPECT_EQ(html.substr(ditta, firma - ditta).find("footerpage"), std::string::npos) << "firm and signatures apart";
    // The causes' table and the appliances' table: each row as tall as its wrapped cell.
    size_t pagine = 0;
    for (size_t corpo = html.find("<DIV class='bodypage'"); corpo != std::string::npos;
         corpo = html.find("<DIV class='bodypage'", corpo + 1)) {
      const size_t fine = html.find("<DIV class='footerpage'", corpo);
      ASSERT_NE(fine, std::string::npos);
      std::string pagina = html.substr(corpo, fine - corpo);
      ++pagine;
      double mm = AltezzaCorpoHtml(pagina);
      // A cell of a cause takes half of the body's 85 characters; an appliance's label 45 %.
      for (const auto& [testo, caratteri] :
           {std::pair<std::string, double>{TenutaImpianto.CausaAltro, 40}, {TenutaImpianto.AppAltroDesc, 36}})
        if (!testo.empty() && pagina.find(EscapeHTML(Trim(testo)).substr(0, 20)) != std::string::npos)
          mm += 3.6 * (std::ceil(static_cast<double>(Len(testo) + 12) / caratteri) - 1);
      EXPECT_LE(mm, 248.0) << "page " << pagine;
    }
  }
}

// The shipped example's record takes about 190 mm of a page's 248: written alone it is one page,
// not a page three fifths full and a second one with the verdict, the notes and the signatures.
TEST_F(ReportFilesTest, TheExamplesTightnessRecordFillsItsHtmlPageBeforeBreaking) {
  TextReader esempio;
  ASSERT_TRUE(esempio.Open(std::string(VARNEX_SOURCE_DATA_DIR) + "/Archivio Lavori/Villetta.RTG"));
  ASSERT_TRUE(TenutaImpiantoLoad(esempio));
  TenutaImpianto.Note = "Nessuna anomalia";
  Spunta({&StampaTenutaImpianto});
  const std::string html = ScriviHtml("esempio.html");
  EXPECT_EQ(Conta(html, "<DIV class='bodypage'"), 1u);
  const size_t corpo = html.find("<DIV class='bodypage'");
  const size_t fine = html.find("<DIV class='footerpage'", corpo);
  ASSERT_NE(fine, std::string::npos);
  EXPECT_LE(AltezzaCorpoHtml(html.substr(corpo, fine - corpo)), 248.0);
  EXPECT_NE(html.find("Firma per accettazione", corpo), std::string::npos);
}

TEST_F(ReportFilesTest, TightnessReportSingleCauseLeavesItsRowOpen) {
  Spunta({&StampaTenutaImpianto});
  TenutaImpianto.Cause = "x;;;;;;";
  finestre.risposte.push_back(uscita.File("una.html"));
  utente.Attendi("conclusa con successo");
  PrintHTMLReport(0);
  EXPECT_NE(Testo("una.html").find("<tr><td>- Sostituzione apparecchio</td>\r\n</TABLE>"), std::string::npos);
}

// ---- Text report -----------------------------------------------------------------------------

TEST_F(ReportFilesTest, TextReportSeparatorsTabsAndTotals) {
  SpuntaTutte();
  TenutaImpianto.Cause = ";x;;;x;;";
  TenutaImpianto.AppRisc = 2;
  TenutaImpianto.AppAltroNum = 1;
  TenutaImpianto.AppAltroDesc = "stufa";
  // A name without extension gets the default one.
  finestre.risposte.push_back(uscita.File("report"));
  utente.Attendi("Stampa su file TXT conclusa con successo.");
  PrintTXTReport();
  ASSERT_EQ(finestre.richieste.size(), 1u);
  EXPECT_EQ(finestre.richieste[0].filtro, "File di testo (*.txt)|*.txt");
  ASSERT_TRUE(fs::exists(uscita.File("report.txt")));
  EXPECT_FALSE(fs::exists(uscita.File("report")));

  const std::string bytes = uscita.Read("report.txt");
  EXPECT_TRUE(SoloCrLf(bytes));
  EXPECT_NE(bytes.find("n\xB0 2\t per il riscaldamento"), std::string::npos);
  const std::vector<std::string> righe = Righe(Cp1252ToUtf8(bytes));
  ASSERT_GE(righe.size(), 22u);
  EXPECT_EQ(righe[0], "Schema di impianto interno gas");
  EXPECT_EQ(righe[5], "Riferimento :\tVilla");
  EXPECT_EQ(righe[8], "Lavoro: \tImpianto della cucina");
  EXPECT_EQ(righe[13], "Densità : \t0\tFamiglia : 2");
  EXPECT_EQ(righe[21].rfind("Portata totale gas : \t 3,0  Nmc/h", 0), 0u);
  // Six separator blocks: between the seven text sections, none before the first or after the last.
  size_t blocchi = 0;
  for (size_t i = 0; i < righe.size(); ++i) {
    if (righe[i] != std::string(63, '=')) continue;
    ++blocchi;
    ASSERT_GE(i, 3u);
    ASSERT_LT(i + 3, righe.size());
    for (int k = 1; k <= 3; ++k) {
      EXPECT_EQ(righe[i - k], "");
      EXPECT_EQ(righe[i + k], "");
    }
  }
  EXPECT_EQ(blocchi, 6u);
  EXPECT_EQ(righe[22], "");
  // The segment table: its header and every data line end with the separator.
  size_t titolo = 0;
  while (titolo < righe.size() && righe[titolo] != "Tabella dati tronchi") ++titolo;
  ASSERT_LT(titolo + 5, righe.size());
  EXPECT_EQ(righe[titolo + 1], "");
  for (size_t i = titolo + 2; i <= titolo + 5; ++i) {
    EXPECT_EQ(righe[i].back(), '\t') << righe[i];
  }
  EXPECT_EQ(righe[titolo + 3].rfind("1\t", 0), 0u);
  // The totals lines.
  bool perdita = false, portata = false;
  for (const std::string& r : righe) {
    if (r.rfind("TOTALE PERDITA DI PRESSIONE: ", 0) == 0 && r.size() > 29) perdita = true;
    if (r.rfind("TOTALE PORTATA GAS: 3", 0) == 0) portata = true;
  }
  EXPECT_TRUE(perdita);
  EXPECT_TRUE(portata);
  // The tightness report: causes one to a line, counts with a TAB, the signature line last.
  const std::string testo = Cp1252ToUtf8(bytes);
  EXPECT_NE(testo.find("CAUSA DELL'INTERVENTO\r\n- Sostituzione tipo di gas\r\n- Esito incerto secondo UNI 10738\r\n\r\n"
                       "APPARECCHI ALIMENTATI DALL'IMPIANTO\r\n"),
            std::string::npos);
  EXPECT_NE(testo.find("n° 1\t di altro tipo: stufa\r\n"), std::string::npos);
  EXPECT_EQ(righe.back(), "     Timbro e Firma\t\tFirma per accettazione dell'occupante");
  EXPECT_EQ(testo.substr(testo.size() - 2), "\r\n");
  EXPECT_NE(testo.find("Computo Tubazioni"), std::string::npos);
  EXPECT_NE(testo.find("\r\nDN\tmt\r\n"), std::string::npos);
  EXPECT_EQ(uscita.Read("report.txt.bmp"), "BMschema");
  EXPECT_EQ(uscita.Read("logo.bmp"), programma.Read("logo.bmp"));
  EXPECT_EQ(finestre.eventi.back(), "dialogo chiuso");
}

// A design over the maximum drop (a segment fixed to 1/2" carrying the whole flow) reads as
// failing in both files: the values the editor shows in red carry the mark, the path's total is
// followed by the statement, and the note explains the mark. Within the limits none of it shows.
TEST_F(ReportFilesTest, AFailingDesignIsStatedInBothFiles) {
  const std::string avviso = "ATTENZIONE: PERDITA DI PRESSIONE MASSIMA AMMESSA SUPERATA (" + PDCMaxTesto + " Pa)";
  for (const bool fallito : {false, true}) {
    SCOPED_TRACE(fallito ? "failing" : "passing");
    if (fallito) {
      Tronco(1).ID_DIAMETRO = "1/2";
      Tronco(1).ID_DIAMCUSTOM = -1;
      Tronco(1).ID_LEN = 30;
    }
    Spunta({&StampaTronchi, &StampaVerifica});
    const std::string nome = fallito ? "fallito" : "riuscito";
    ScriviEntrambi(nome);
    if (fallito) {
      ASSERT_GT(Tronco(2).ID_PDC_PERCORSO, PDCMassima());
    }
    const std::string html = Testo(nome + ".html");
    const std::string txt = Testo(nome + ".txt");
    for (const std::string* file : {&html, &txt}) {
      EXPECT_EQ(file->find(avviso) != std::string::npos, fallito);
      EXPECT_EQ(file->find(NotaOltreLimite) != std::string::npos, fallito);
      // The segment and path tables mark the cumulative drops over the maximum (in the HTML the
      // mark never breaks from its value).
      const size_t marche = Conta(*file, MarcaOltreLimite) + Conta(*file, "&nbsp;(!)");
      EXPECT_EQ(marche >= 4, fallito) << marche;
      if (!fallito) {
        EXPECT_EQ(marche, 0u);
      }
    }
    // The statement follows the path's total.
    if (fallito) {
      EXPECT_NE(txt.find("\r\n" + avviso + "\r\n"), std::string::npos);
      EXPECT_LT(txt.find("TOTALE PERDITA DI PRESSIONE: "), txt.find(avviso));
      EXPECT_LT(html.find("TOTALE PERDITA DI PRESSIONE:"), html.find(avviso));
    }
    AzzeraSezioni();
  }
}

// The editor's text of the maximum drop, stale ("0" with automatic recalculation off since
// start-up), does not turn a passing design into a failing one in the files.
TEST_F(ReportFilesTest, APassingDesignIsNotStatedFailingAfterAStaleMaximumDropText) {
  PDCMaxTesto = "0";
  Spunta({&StampaTronchi, &StampaVerifica});
  ScriviEntrambi("vecchio");
  for (const std::string& file : {Testo("vecchio.html"), Testo("vecchio.txt")}) {
    EXPECT_EQ(file.find("ATTENZIONE: PERDITA"), std::string::npos);
    EXPECT_EQ(file.find(NotaOltreLimite), std::string::npos);
    EXPECT_EQ(Conta(file, MarcaOltreLimite), 0u);
  }
  AzzeraSezioni();
}

// In the text report every table's header line is cut into its columns by the separator, as its
// data lines are: one cell per column in both.
// The text cover's free texts (reference, job) wrap at the file's line width, going on under the
// value; every word is kept.
TEST_F(ReportFilesTest, TheTextCoversLongJobAndReferenceWrap) {
  std::string lavoro;
  while (Len(lavoro) < 190) lavoro += "lavoro" + std::to_string(Len(lavoro)) + " ";
  DescrizioneLavoro = Trim(lavoro);
  Riferimento = "Centrale termica " + std::string(50, 'r');
  Spunta({&StampaCopertina});
  finestre.risposte.push_back(uscita.File("copertina.txt"));
  utente.Attendi("TXT conclusa con successo");
  PrintTXTReport();
  const std::vector<std::string> righe = Righe(Testo("copertina.txt"));
  std::string unito;
  for (const std::string& r : righe) {
    const bool libero = r.rfind("Lavoro", 0) == 0 || r.rfind("Riferimento", 0) == 0 || r.rfind("\t", 0) == 0;
    if (!libero) continue;
    // A separator shows as up to eight characters.
    size_t larghezza = 0;
    for (char c : r) larghezza = c == '\t' ? (larghezza / 8 + 1) * 8 : larghezza + 1;
    EXPECT_LE(larghezza, 80u) << "[" << r << "]";
    for (char c : r) unito += c == '\t' ? ' ' : c;
    unito += " ";
  }
  EXPECT_NE(SenzaACapo(unito).find(SenzaACapo("Lavoro:" + DescrizioneLavoro)), std::string::npos)
      << "the job whole, in order";
  size_t erre = 0;
  for (char c : unito) erre += c == 'r';
  EXPECT_GE(erre, 50u);
}

TEST_F(ReportFilesTest, EveryTextTableHeadingIsSeparatedLikeItsRows) {
  for (bool pressione : {false, true}) {
    SCOPED_TRACE(pressione ? "pressurised" : "internal");
    if (pressione) RendiPressurizzata();
    Spunta({&StampaTronchi, &StampaPDCLocalizzate, &StampaVerifica, &StampaUtenze});
    const std::string nome = pressione ? "rete.txt" : "casa.txt";
    finestre.risposte.push_back(uscita.File(nome));
    utente.Attendi("TXT conclusa con successo");
    PrintTXTReport();
    const std::vector<std::string> righe = Righe(Testo(nome));
    std::vector<ReportTable> tabelle = {ReportTable::SegmentTable, ReportTable::LocalLossTable,
                                        ReportTable::WorstPathTable, ReportTable::ApplianceTable};
    if (pressione) tabelle.push_back(ReportTable::EquivalentLengthTable);
    for (ReportTable t : tabelle) {
      SCOPED_TRACE(GetReportTitle(t));
      const size_t colonne = static_cast<size_t>(UltimaColonnaReport(GetReportView(t)) + 1);
      size_t titolo = 0;
      while (titolo < righe.size() && righe[titolo] != GetReportTitle(t)) ++titolo;
      ASSERT_LT(titolo, righe.size());
      size_t intestazione = titolo + 1;
      while (intestazione < righe.size() && righe[intestazione].empty()) ++intestazione;
      ASSERT_LT(intestazione + 1, righe.size());
      EXPECT_EQ(static_cast<size_t>(Conta(righe[intestazione], "\t")), colonne) << righe[intestazione];
      EXPECT_EQ(static_cast<size_t>(Conta(righe[intestazione + 1], "\t")), colonne) << righe[intestazione + 1];
    }
  }
}

// A reference holding a tab or a line break (pasted from elsewhere, or read from a file) stays one
// cell of its line in the text report: every row of a table keeps as many separators as its heading.
TEST_F(ReportFilesTest, AReferenceNeverSplitsItsTextReportLine) {
  Tronco(2).ID_RIF = "CUCINA\tPIANO\r\nTERRA";
  Spunta({&StampaTronchi, &StampaUtenze});
  finestre.risposte.push_back(uscita.File("rif.txt"));
  utente.Attendi("TXT conclusa con successo");
  PrintTXTReport();
  const std::string testo = Testo("rif.txt");
  EXPECT_NE(testo.find("CUCINA PIANO  TERRA"), std::string::npos);
  const std::vector<std::string> righe = Righe(testo);
  for (ReportTable t : {ReportTable::SegmentTable, ReportTable::ApplianceTable}) {
    SCOPED_TRACE(GetReportTitle(t));
    const size_t colonne = static_cast<size_t>(UltimaColonnaReport(GetReportView(t)) + 1);
    size_t i = 0;
    while (i < righe.size() && righe[i] != GetReportTitle(t)) ++i;
    while (i < righe.size() && righe[i].find('\t') == std::string::npos) ++i;
    size_t lette = 0;
    for (; i < righe.size() && !righe[i].empty(); ++i, ++lette)
      EXPECT_EQ(static_cast<size_t>(Conta(righe[i], "\t")), colonne) << righe[i];
    EXPECT_GE(lette, 2u);
  }
}

// The bill's diameters of a series go on in strips the body holds, each led by its row captions,
// rather than one table wider than the page that a browser prints smaller.
TEST_F(ReportFilesTest, TheBillsDiametersGoOnInStripsWithinTheBody) {
  TSerieMateriale& acciaio = Materiali[1];
  constexpr int16_t diametri = 30;
  acciaio[0].NumDiametri = diametri;
  for (int16_t r = 1; r <= diametri; ++r) {
    acciaio[static_cast<size_t>(r)].RifDiametro = "DN " + std::to_string(1000 + 10 * r);
    acciaio[static_cast<size_t>(r)].DiamInterno = 10.0f + 5.0f * r;
    acciaio[static_cast<size_t>(r)].PesoMetro = 1;
  }
  BloccoReti = {};
  int16_t padre = 0;
  for (int16_t r = diametri; r >= 1; --r) {
    padre = test::AggiungiProva(padre, 1234.5f, r == 1 ? 1.0f : 0.0f);
    Tronco(padre).ID_DIAMETRO = acciaio[static_cast<size_t>(r)].RifDiametro;
    Tronco(padre).ID_DIAMCUSTOM = -1;
  }
  Spunta({&StampaComputo});
  const std::string html = ScriviHtml("computo.html");
  MisuraHTML misura;
  misura.SetFontSize(3.15 / MillimetriPunto);
  size_t strisce = 0, colonne = 0;
  for (size_t t = html.find("<TD class='rowtitlefirst'>DN</TD>"); t != std::string::npos;
       t = html.find("<TD class='rowtitlefirst'>DN</TD>", t + 1)) {
    const std::string tabella = html.substr(t, html.find("</TABLE>", t) - t);
    std::vector<std::string> etichette, metri;
    for (const auto& [classe, testi] : {std::pair{std::string("allbordertitle'>"), &etichette},
                                         std::pair{std::string("allborder'>"), &metri}})
      for (size_t c = tabella.find(classe); c != std::string::npos; c = tabella.find(classe, c + 1)) {
        const size_t inizio = c + classe.size();
        testi->push_back(tabella.substr(inizio, tabella.find("</TD>", inizio) - inizio));
      }
    ASSERT_EQ(etichette.size(), metri.size());
    // What the strip's texts take at their type, with a cell's padding and rules, the captions'
    // column as wide as the widest.
    double larghezza = 0, colonna = misura.TextWidth("XXXXXX");
    for (size_t i = 0; i < etichette.size(); ++i)
      colonna = std::max({colonna, misura.TextWidth(etichette[i]), misura.TextWidth(metri[i])});
    larghezza = (colonna + 1.5) * static_cast<double>(etichette.size() + 1);
    EXPECT_LE(larghezza, 170.0) << "strip " << strisce;
    for (const std::string& e : etichette) EXPECT_EQ(e, " DN " + std::to_string(1000 + 10 * static_cast<int>(++colonne))) << "in order";
    ++strisce;
  }
  EXPECT_EQ(colonne, static_cast<size_t>(diametri));
  EXPECT_GT(strisce, 1u);
}

// A strip of the bill is as wide as its diameters need: the 7 diameters of a steel series on a 37 mm
// table broke "1 1/4"" into "1" over "1/4"" (read as two diameters) and "18,0" into "18" over ",0";
// and the table floated left, so the total weight printed beside it instead of under it.
TEST_F(ReportFilesTest, TheBillsStripIsAsWideAsItsDiametersAndTheTotalGoesUnderIt) {
  TSerieMateriale& acciaio = Materiali[1];
  const std::vector<std::string> etichette = {"1/2\"", "3/4\"", "1\"", "1 1/4\"", "1 1/2\"", "2\"", "4\""};
  acciaio[0].NumDiametri = static_cast<int16_t>(etichette.size());
  for (size_t r = 1; r <= etichette.size(); ++r) {
    acciaio[r].RifDiametro = etichette[r - 1];
    acciaio[r].DiamInterno = 10.0f + 10.0f * static_cast<float>(r);
    acciaio[r].PesoMetro = 1;
  }
  BloccoReti = {};
  int16_t padre = 0;
  for (size_t r = etichette.size(); r >= 1; --r) {
    padre = test::AggiungiProva(padre, 875.3f, r == 1 ? 1.0f : 0.0f);
    Tronco(padre).ID_DIAMETRO = etichette[r - 1];
    Tronco(padre).ID_DIAMCUSTOM = -1;
  }
  Spunta({&StampaComputo});
  const std::string html = ScriviHtml("computo7.html");
  const size_t dn = html.find("<TD class='rowtitlefirst'>DN</TD>");
  ASSERT_NE(dn, std::string::npos);
  const size_t tabella = html.rfind("<TABLE", dn);
  const std::string apertura = html.substr(tabella, html.find('>', tabella) - tabella);
  EXPECT_EQ(apertura.find("align"), std::string::npos) << "a floating table lets the total stand beside it: " << apertura;
  const size_t w = apertura.find("width:");
  ASSERT_NE(w, std::string::npos);
  const double larghezza = std::stod(apertura.substr(w + 6));
  // Every column as wide as its widest text at the cells' type, with padding and rules.
  MisuraHTML misura;
  misura.SetFontSize(3.15 / MillimetriPunto);
  double colonna = misura.TextWidth("XXXXXX");
  for (const std::string& e : etichette) colonna = std::max(colonna, misura.TextWidth(" " + e));
  EXPECT_GE(larghezza, (colonna + 1.5) * static_cast<double>(etichette.size() + 1) - 0.01) << apertura;
  EXPECT_LE(larghezza, 170.0);
  // Nor does a cell of the bill break inside its text.
  for (const char* classe : {".allbordertitle", ".allborder", ".rowtitlefirst", ".rowtitle"}) {
    const size_t regola = html.find(std::string(classe) + "\r\n{");
    ASSERT_NE(regola, std::string::npos) << classe;
    EXPECT_NE(html.substr(regola, html.find('}', regola) - regola).find("white-space: nowrap;"), std::string::npos)
        << classe;
  }
  EXPECT_GT(html.find("Peso totale tubazioni in acciaio:"), html.find("</TABLE>", dn));
}

// Wherever the bill falls on a page, its title stays with the first series and a series' name,
// description and weight with its first strip of diameters: no caption ends a page alone.
TEST_F(ReportFilesTest, TheBillsCaptionsStayWithTheirSeries) {
  for (int n = 4; n <= 64; n += 2) {
    SCOPED_TRACE(n);
    BloccoReti = {};
    int16_t padre = 0;
    for (int i = 0; i < n; ++i) padre = test::AggiungiProva(padre, 2, i + 1 == n ? 1.0f : 0.0f);
    Spunta({&StampaTronchi, &StampaComputo});
    const std::string html = ScriviHtml("computo" + std::to_string(n) + ".html");
    const size_t titolo = html.find("Computo Tubazioni</SPAN>");
    const size_t striscia = html.find("<TD class='rowtitlefirst'>DN</TD>", titolo);
    ASSERT_NE(striscia, std::string::npos);
    EXPECT_EQ(html.substr(titolo, striscia - titolo).find("footerpage"), std::string::npos) << "split from its series";
    AzzeraSezioni();
  }
}

TEST_F(ReportFilesTest, TextLineWriters) {
  TextWriter w("/dev/null");
  StreamTXT = &w;
  SeparatoreTXT = "\t";
  WriteText("a", 0);
  WriteTextLine("b");
  WriteBlankLine();
  WriteSeparatorLine();
  StreamTXT = nullptr;
  EXPECT_EQ(w.Text(), "ab\r\n\r\n\r\n\r\n\r\n" + std::string(63, '=') + "\r\n\r\n\r\n\r\n");
  EXPECT_EQ(ApplianceCountText(0, " di altro tipo", ": x"), "n° 0\t di altro tipo");
  EXPECT_EQ(ApplianceCountText(2, " di altro tipo", ": x"), "n° 2\t di altro tipo: x");
}

// ---- Nothing written, or a failure ---------------------------------------------------------

TEST_F(ReportFilesTest, CancelAndRefusedOverwriteWriteNothing) {
  Spunta({&StampaCopertina});
  finestre.risposte.push_back(std::nullopt);
  PrintHTMLReport(0);
  finestre.risposte.push_back(std::nullopt);
  PrintTXTReport();
  EXPECT_TRUE(fs::is_empty(uscita.Path()));
  EXPECT_FALSE(finestre.Visto("attesa"));

  uscita.Write("vecchio.txt", "vecchio");
  finestre.risposte.push_back(uscita.File("vecchio.txt"));
  utente.Attendi("Si desidera sovrascriverlo?", Risposta::No);
  PrintTXTReport();
  EXPECT_EQ(uscita.Read("vecchio.txt"), "vecchio");
  ASSERT_EQ(utente.messaggi.size(), 1u);
  EXPECT_EQ(utente.messaggi[0].titolo, "Sovrascrivere");
  EXPECT_EQ(utente.messaggi[0].bottoni, Bottoni::SiNo);
  EXPECT_EQ(utente.messaggi[0].testo,
            "Un file con lo stesso nome è già presente nella cartella selezionata.\r\nSi desidera sovrascriverlo?");
  EXPECT_FALSE(finestre.Visto("dialogo chiuso"));
}

TEST_F(ReportFilesTest, ConfirmedOverwriteReplacesTheOldReport) {
  Spunta({&StampaCopertina});
  uscita.Write("vecchio.html", "vecchio");
  finestre.risposte.push_back(uscita.File("vecchio.html"));
  utente.Attendi("Si desidera sovrascriverlo?", Risposta::Si);
  utente.Attendi("conclusa con successo");
  PrintHTMLReport(0);
  EXPECT_EQ(uscita.Read("vecchio.html").rfind("<HTML>\r\n", 0), 0u);
}

TEST_F(ReportFilesTest, UnwritableFolderIsTheOpeningFailure) {
  Spunta({&StampaCopertina, &StampaDiagrammaRete});
  finestre.risposte.push_back(uscita.File("manca/report.html"));
  finestre.risposte.push_back(uscita.File("manca/report.txt"));
  utente.Attendi("Stampa su file HTML.\r\nErrore nell'apertura del file.\r\nCodice d'errore: 76.\r\n"
                 "Descrizione errore: Impossibile trovare il percorso.");
  utente.Attendi("Stampa su file TXT.\r\nErrore nell'apertura del file.\r\nCodice d'errore: 76.");
  PrintHTMLReport(0);
  PrintTXTReport();
  EXPECT_EQ(utente.messaggi[0].titolo, "Errore");
  EXPECT_EQ(utente.messaggi[0].icona, Icona::Esclamazione);
  EXPECT_FALSE(fs::exists(uscita.File("manca")));
  EXPECT_FALSE(finestre.Visto("schema Villa.bmp"));
  EXPECT_FALSE(finestre.Visto("dialogo chiuso"));
  EXPECT_TRUE(finestre.Visto("fine attesa"));
  // A folder in place of the file is refused the same way.
  fs::create_directory(uscita.File("cartella.html"));
  finestre.risposte.push_back(uscita.File("cartella.html"));
  utente.Attendi("Errore nell'apertura del file.\r\nCodice d'errore: 75.");
  PrintHTMLReport(0);
}

TEST_F(ReportFilesTest, FailedWriteIsNeverSuccessAndKeepsTheOldFile) {
  fs::remove(programma.File("logo.bmp"));
  Spunta({&StampaCopertina, &StampaTronchi});
  uscita.Write("report.html", "vecchio report");
  uscita.Write("report.txt", "vecchio report");
  finestre.risposte.push_back(uscita.File("report.html"));
  finestre.risposte.push_back(uscita.File("report.txt"));
  utente.Attendi("Si desidera sovrascriverlo?", Risposta::Si);
  utente.Attendi("Stampa su file HTML.\r\nErrore nella stampa della tabella dei tronchi.\r\nCodice d'errore: 75.");
  utente.Attendi("Si desidera sovrascriverlo?", Risposta::Si);
  utente.Attendi("Stampa su file TXT.\r\nErrore nella stampa della tabella dei tronchi.\r\nCodice d'errore: 75.");
  {
    test::ScritturaBloccata bloccata;
    PrintHTMLReport(0);
    PrintTXTReport();
  }
  EXPECT_EQ(uscita.Read("report.html"), "vecchio report");
  EXPECT_EQ(uscita.Read("report.txt"), "vecchio report");
  // The system's reason, in Italian: a full disk and a missing permission do not read the same.
  for (const auto& m : utente.messaggi) {
    if (m.titolo == "Errore") {
      EXPECT_NE(m.testo.find(MotivoErrore(EFBIG)), std::string::npos) << m.testo;
    }
  }
  EXPECT_FALSE(finestre.Visto("dialogo chiuso"));
  EXPECT_TRUE(finestre.Visto("nessun logo"));
  for (const auto& e : fs::directory_iterator(uscita.Path()))
    EXPECT_TRUE(e.path().filename() == "report.html" || e.path().filename() == "report.txt") << e.path();
}

TEST_F(ReportFilesTest, DiagramThatCannotBeSavedFailsUnderItsStep) {
  Spunta({&StampaCopertina, &StampaDiagrammaRete});
  finestre.schemaRifiutato = true;
  finestre.risposte.push_back(uscita.File("r.html"));
  finestre.risposte.push_back(uscita.File("r.txt"));
  utente.Attendi("Stampa su file HTML.\r\nErrore nella stampa dello schema della rete.\r\nCodice d'errore: 75.\r\n"
                 "Descrizione errore: Errore di accesso al percorso/file.");
  utente.Attendi("Stampa su file TXT.\r\nErrore nella stampa dello schema della rete.\r\nCodice d'errore: 75.");
  PrintHTMLReport(0);
  PrintTXTReport();
  EXPECT_FALSE(fs::exists(uscita.File("r.html")));
  EXPECT_FALSE(fs::exists(uscita.File("r.txt")));
  EXPECT_FALSE(fs::exists(uscita.File("logo.bmp")));
}

TEST_F(ReportFilesTest, ARunStartedWhileAnotherYieldsIsNotStarted) {
  Spunta({&StampaTronchi});
  finestre.risposte.push_back(uscita.File("primo.html"));
  finestre.nelDoEvents = [] { PrintTXTReport(); };
  utente.Attendi("Stampa su file HTML conclusa con successo.");
  PrintHTMLReport(0);
  EXPECT_EQ(finestre.richieste.size(), 1u);
  EXPECT_EQ(Conta(Testo("primo.html"), "<HTML>"), 1u);
  EXPECT_FALSE(fs::exists(uscita.File("primo.txt")));
}

TEST_F(ReportFilesTest, UnreadableLogoLeavesTheReportWithoutLogo) {
  finestre.logoLeggibile = false;
  Spunta({&StampaCopertina});
  finestre.risposte.push_back(uscita.File("senza.html"));
  utente.Attendi("conclusa con successo");
  PrintHTMLReport(0);
  const std::string html = Testo("senza.html");
  EXPECT_EQ(html.find("logo.bmp"), std::string::npos);
  EXPECT_NE(html.find("<TD ALIGN='Left'>\r\n&nbsp;\r\n</TD>"), std::string::npos);
  EXPECT_FALSE(fs::exists(uscita.File("logo.bmp")));
}

// The logo copied beside a report replaces a "logo.bmp" of that folder only when the user agrees,
// unless it is the program's logo already (a report written there before); both files of a run
// are asked about at once, and a refusal writes nothing.
TEST_F(ReportFilesTest, AnotherLogoBesideTheReportIsAskedBeforeItIsReplaced) {
  const std::string logo = programma.Read("logo.bmp");
  for (const bool html : {true, false}) {
    SCOPED_TRACE(html ? "HTML" : "TXT");
    const std::string nome = html ? "l.html" : "l.txt";
    Spunta({&StampaCopertina});
    uscita.Write("logo.bmp", "il logo del cliente");
    finestre.risposte.push_back(uscita.File(nome));
    utente.Attendi("Il file seguente è già presente nella cartella selezionata:\r\nlogo.bmp\r\n"
                   "Si desidera sovrascriverlo?",
                   Risposta::No);
    html ? PrintHTMLReport(0) : PrintTXTReport();
    EXPECT_TRUE(uscita.Read("logo.bmp") == "il logo del cliente");
    EXPECT_FALSE(fs::exists(uscita.File(nome)));
    // With the report there too, one question names both.
    uscita.Write(nome, "vecchio");
    finestre.risposte.push_back(uscita.File(nome));
    utente.Attendi("I file seguenti sono già presenti nella cartella selezionata:\r\n" + nome +
                       "\r\nlogo.bmp\r\nSi desidera sovrascriverli?",
                   Risposta::Si);
    utente.Attendi("conclusa con successo");
    html ? PrintHTMLReport(0) : PrintTXTReport();
    EXPECT_TRUE(uscita.Read("logo.bmp") == logo);
    // The program's own logo is there now: the next report asks only about itself.
    finestre.risposte.push_back(uscita.File(nome));
    utente.Attendi("Un file con lo stesso nome è già presente nella cartella selezionata.\r\nSi desidera sovrascriverlo?",
                   Risposta::Si);
    utente.Attendi("conclusa con successo");
    html ? PrintHTMLReport(0) : PrintTXTReport();
    fs::remove(uscita.File(nome));
    fs::remove(uscita.File("logo.bmp"));
    AzzeraSezioni();
  }
}

TEST_F(ReportFilesTest, ReportInTheProgramFolderLeavesTheLogoAlone) {
  Spunta({&StampaCopertina});
  const std::string logo = programma.Read("logo.bmp");
  finestre.risposte.push_back(programma.File("qui.html"));
  utente.Attendi("conclusa con successo");
  PrintHTMLReport(0);
  EXPECT_EQ(programma.Read("logo.bmp"), logo);
  EXPECT_NE(programma.Read("qui.html").find("<IMG src='logo.bmp'"), std::string::npos);
}

// ---- Column layout ---------------------------------------------------------------------------

TEST(LayoutColonneFile, WidthsAndLimitsFromTheWeights) {
  struct Caso {
    std::vector<int16_t> pesi;
    int32_t unita;
    int32_t somma;
  };
  const std::vector<Caso> casi = {
      {{2, 3, 3, 2, 4, 3}, 10, 170},
      {{17, 17, 17, 17}, 2, 136},   // 2.5 -> 2
      {{20, 20, 20}, 3, 180},       // 2.83 -> 3, wider than the body
      {{10, 10, 10, 10, 8}, 4, 192},  // 3.54 -> 4
  };
  for (const Caso& c : casi) {
    const LayoutColonneFile l = CalcolaLayoutColonne(c.pesi);
    EXPECT_EQ(l.Unita, c.unita);
    int32_t somma = 0;
    for (size_t i = 0; i < c.pesi.size(); ++i) somma += l.Larghezza[i];
    EXPECT_EQ(somma, c.somma);
    EXPECT_EQ(l.Ultima, static_cast<int16_t>(c.pesi.size() - 1));
  }
  const LayoutColonneFile l = CalcolaLayoutColonne({2, 3, 3, 2, 4, 3});
  EXPECT_EQ((std::vector<int16_t>(l.Limite.begin(), l.Limite.begin() + 7)), (std::vector<int16_t>{9, 14, 14, 9, 19, 14, 0}));
  EXPECT_EQ(l.Larghezza[0], 20);
  // A 2 or 3 mm column holds no character but is still a column.
  EXPECT_EQ(CalcolaLayoutColonne({1, 84}).Limite[0], 0);
}

TEST(LayoutColonneFile, ImpossibleLayoutsAreErrors) {
  struct Caso {
    std::vector<int16_t> pesi;
    int32_t numero;
  };
  const std::vector<Caso> casi = {
      {{0, 0, 0}, errore_file::DivisionePerZero},
      {{200, 200}, errore_file::ArgomentoNonValido},  // 170 / 400 rounds to 0
      {{0, 5}, errore_file::ArgomentoNonValido},
      {std::vector<int16_t>(22, 1), errore_file::IndiceFuoriIntervallo},
  };
  for (const Caso& c : casi) {
    try {
      CalcolaLayoutColonne(c.pesi);
      ADD_FAILURE() << "no error for " << c.pesi.size() << " columns";
    } catch (const ErroreStampaFile& e) {
      EXPECT_EQ(e.Numero(), c.numero);
    }
  }
  // 21 columns are the most a view may hold.
  EXPECT_NO_THROW(CalcolaLayoutColonne(std::vector<int16_t>(21, 1)));
}

TEST(StampaFile, PagePositionsBeyondSixteenBitsAreOverflow) {
  EXPECT_EQ(PosizioneFile(32767), 32767);
  try {
    PosizioneFile(113 * 289 + 265);
    ADD_FAILURE();
  } catch (const ErroreStampaFile& e) {
    EXPECT_EQ(e.Numero(), errore_file::Overflow);
    EXPECT_STREQ(e.what(), "Overflow.");
  }
}

}  // namespace
}  // namespace varnex
