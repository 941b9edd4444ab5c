// What the user waits for, measured on the real windows under an offscreen QApplication:
//   - start-up with a project named on the command line, to the shown main window;
//   - `Elaborazione` (calculate and show) on the table page and on the schema page;
//   - writing the HTML report (with the schema picture beside it) and the text report;
//   - printing the diagram page to a PDF file.
// Networks of 10, 50 and 200 segments, internal installations and pressurised networks.
//
// A busy machine slows everything down alike, so every benchmark also measures an empty Qt main
// window with a menu and a line of text (created, shown, painted) in the same run and reports its own time as a multiple of it:
// the counter "x_finestra_vuota". The counter "finestra_vuota_ms" is that reference time. The
// first empty window of the process ("prima_finestra_ms", "x_prima_finestra") is the reference of
// a program that has just started: it also pays for the style, the fonts and the platform.
//
// Start-up is also measured as the user meets it, from process start: BM_AvvioProcesso starts this
// program anew for each iteration, once to show an empty main window and once to open the project,
// and times each from just before the process is started to its window shown. Both pay alike for
// loading the libraries, the platform, the style and the fonts; "x_finestra_vuota" there is the
// start-up over the empty window's, both from process start; "da_main_ms" and
// "x_finestra_vuota_da_main" are the same from main(), once the libraries are loaded.
//
// Counters "calcoli", "tabelle", "schemi" and "costruzioni": calculations, table fills, schema
// drawings and table builds the measured action did.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTranslator>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archives/ui/archivi.h"
#include "editor/ui/gasgrid.h"
#include "model/files.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/interaction.h"
#include "model/materiali.h"
#include "model/progetto_file.h"
#include "model/raccordi.h"
#include "model/rete.h"
#include "report/files/report_html.h"
#include "report/files/report_txt.h"
#include "report/files/stampa_file.h"
#include "report/files/ui/stampa_file_qt.h"
#include "report/print/pagina.h"
#include "report/print/sezioni.h"
#include "report/print/stampa_report.h"
#include "report/print/stampante_report.h"
#include "report/print/ui/stampante_qt.h"
#include "report/print/ui/diagramma_qt.h"
#include "schema/ui/schema_canvas.h"
#include "shell/settings.h"
#include "app/startup.h"
#include "app/ui/lifecycle.h"
#include "app/ui/main_window.h"
#include "shell/ui/qt_services.h"
#include "shell/ui/services.h"
#include "app/ui/startup.h"
#include "shell/ui/units.h"
#include "tightness/ui/pagina_tenuta_qt.h"

namespace {

namespace fs = std::filesystem;
using namespace varnex;

// ---- Stand-ins for the user ------------------------------------------------------------------

// Every message is acknowledged at once; a question is answered yes (overwrite the old report).
class UtenteSilenzioso final : public IInterazione {
 public:
  Risposta Messaggio(const std::string& testo, Bottoni bottoni, Icona, const std::string&) override {
    ultimo = testo;
    return bottoni == Bottoni::SiNo || bottoni == Bottoni::SiNoAnnulla ? Risposta::Si : Risposta::OK;
  }
  void Puntatore(int16_t) override {}
  std::string ultimo;
};

// No modal window is expected on the roads measured: one that shows up would stop the run.
class DialoghiInattesi final : public ui::IDialoghi {
 public:
  int Esegui(QDialog& dialogo) override {
    std::fprintf(stderr, "unexpected dialog: %s\n", dialogo.metaObject()->className());
    std::abort();
  }
};

// The report runs' windows: the save dialog answers a fixed path, the schema picture is the real one.
class FinestreReport final : public FinestreSilenziose {
 public:
  std::optional<std::string> SalvaFile(const std::string&, const std::string&, const std::string&,
                                       const std::string&) override {
    return percorso;
  }
  void DoEvents() override { QCoreApplication::processEvents(); }
  MisuraSchema SaveSchema(const std::string& p) override {
    ui::SaveSchema(p);
    return {};
  }
  MisuraSchema SalvaPartiSchema(const DivisioneFiguraSchema& dividi) override { return ui::SalvaPartiSchema(dividi); }
  std::string percorso;
};

// ---- The setting: program folder, settings, generated projects -------------------------------

struct Ambiente {
  QTemporaryDir cartella;
  std::string programma;
  std::string impostazioni;
  std::string progetti;
};

Ambiente& Setting() {
  static Ambiente a;
  return a;
}

// A balanced tree of n segments (segment s hangs under s / 2) of the first pipe series, with
// appliances on the end segments. Pressurised networks run 200 to 150 kPa with larger flows.
std::string ScriviProgetto(int16_t n, bool pressione) {
  const std::string nome = std::string(pressione ? "rete" : "impianto") + std::to_string(n) + ".RTG";
  const std::string percorso = (fs::path(Setting().progetti) / nome).string();
  if (fs::exists(percorso)) return percorso;
  InitGas();
  CaricaMateriali();
  CaricaPDCMax();
  InitPDCMax();
  InitSpeciali();
  ResetRete();
  SetReteCorrente(1);
  GasCorrente = ArchivioGas[1];
  ReteInPressione = pressione ? -1 : 0;
  if (pressione) {
    PressioneIniziale = 200;
    PressioneFinale = 150;
    VelocitaMaxImpostata = 15;
  }
  for (int16_t s = 1; s <= n; ++s) {
    const int16_t t = AggiungiTronco(static_cast<int16_t>(s / 2));
    TTronco& tr = Tronco(t);
    tr.IndiceMateriale = 1;
    tr.ID_MATERIALE = Materiali[1][0].Nome;
    tr.ID_LEN = 1.0f + static_cast<float>((s * 37) % 100) / 10.0f;
    tr.ID_NCURVE = static_cast<int16_t>(s % 3);
    tr.ID_NGOMITI = static_cast<int16_t>((s / 3) % 2);
    tr.ID_CONTEMP = 100;
  }
  for (int16_t s = 1; s <= n; ++s) {
    TTronco& t = Tronco(s);
    if (IsTerminale(s)) {
      t.ID_P_UTENZE = (0.3f + 0.4f * static_cast<float>(s % 5)) * (pressione ? 20.0f : 1.0f);
      t.ID_NRUBINETTI = 1;
    } else {
      t.ID_NRACCORDI = 1;
    }
  }
  Riferimento = "Prova " + std::to_string(n);
  if (!ScriviRTG(percorso)) {
    std::fprintf(stderr, "cannot write %s\n", percorso.c_str());
    std::abort();
  }
  ResetRete();
  return percorso;
}

// ---- The reference: an empty main window -----------------------------------------------------

// The reference window: an empty main window of the program's main window size with a menu and
// a line of text, the least a program shows, made and shown until it has painted.
void MostraFinestraVuota(QMainWindow& finestra) {
  QMenu* menu = finestra.menuBar()->addMenu(QStringLiteral("&File"));
  menu->addAction(QStringLiteral("&Esci"));
  finestra.setCentralWidget(new QLabel(QStringLiteral("Nessun progetto aperto"), &finestra));
  finestra.resize(ui::DimensioneTwips(12150, 8930));
  finestra.show();
  QCoreApplication::processEvents();
}

// The reference window created, shown, painted and destroyed.
double FinestraVuotaMs() {
  QElapsedTimer t;
  t.start();
  {
    QMainWindow finestra;
    MostraFinestraVuota(finestra);
  }
  const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return ms;
}

// The first empty window of the process, before any other window: it also pays for the style,
// the fonts and the platform's first window, as a program that has just started does.
double& PrimaFinestraMs() {
  static double ms = 0;
  return ms;
}

// The median of a few empty windows, measured just before the benchmark it is compared with.
double RiferimentoMs() {
  std::vector<double> tempi;
  for (int i = 0; i < 15; ++i) tempi.push_back(FinestraVuotaMs());
  std::nth_element(tempi.begin(), tempi.begin() + static_cast<long>(tempi.size() / 2), tempi.end());
  return tempi[tempi.size() / 2];
}

// Times of the iterations, reported as milliseconds and as multiples of the reference.
class Misure {
 public:
  explicit Misure(benchmark::State& state) : state_(state), riferimento_(RiferimentoMs()) {}
  void Aggiungi(double ms) {
    tempi_.push_back(ms);
    state_.SetIterationTime(ms / 1000.0);
  }
  ~Misure() {
    if (tempi_.empty()) return;
    std::vector<double> t = tempi_;
    std::sort(t.begin(), t.end());
    const double mediana = t[t.size() / 2];
    state_.counters["mediana_ms"] = mediana;
    state_.counters["peggiore_ms"] = t.back();
    state_.counters["finestra_vuota_ms"] = riferimento_;
    state_.counters["x_finestra_vuota"] = mediana / riferimento_;
    state_.counters["prima_finestra_ms"] = PrimaFinestraMs();
    state_.counters["x_prima_finestra"] = mediana / PrimaFinestraMs();
  }

 private:
  benchmark::State& state_;
  double riferimento_;
  std::vector<double> tempi_;
};

// How much work the last iteration did: calculations, table fills, schema drawings.
void ContaLavoro(benchmark::State& state) {
  const ui::ConteggioLavoro& c = ui::LavoroEditor();
  state.counters["calcoli"] = c.Calcoli;
  state.counters["tabelle"] = c.Tabelle;
  state.counters["schemi"] = c.Schemi;
  state.counters["costruzioni"] = c.Costruzioni;
}

// ---- The program's windows, as main() sets them up -------------------------------------------

// The start-up sequence on the command line `riga`, with the program's real windows. Lives until
// destroyed, like the running program.
class Programma {
 public:
  explicit Programma(const std::string& riga) : finestre_(istanza()) {
    ResetRete();
    NumGas = 0;
    ArchivioGas.resize(1);
    NumMateriali = 0;
    SequenzaAvvio sequenza(finestre_);
    if (sequenza.Esegui(riga) != EsitoAvvio::Avviato || !sequenza.ProgettoDaRigaComando()) {
      std::fprintf(stderr, "the project %s did not open\n", riga.c_str());
      std::abort();
    }
  }
  ~Programma() = default;

 private:
  static ui::IstanzaUnica& istanza() {
    static ui::IstanzaUnica i(QStringLiteral("VarnexProBench-%1").arg(QCoreApplication::applicationPid()));
    return i;
  }
  ui::FinestreAvvioQt finestre_;
};

void Chiudi(std::unique_ptr<Programma>& p) {
  p.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
  ResetRete();
}

// ---- The benchmarks --------------------------------------------------------------------------

void BM_FinestraVuota(benchmark::State& state) {
  Misure misure(state);
  for (auto _ : state) misure.Aggiungi(FinestraVuotaMs());
}
BENCHMARK(BM_FinestraVuota)->UseManualTime()->Unit(benchmark::kMillisecond);

// Process start to the shown main window, the project calculated in the editor.
void Avvio(benchmark::State& state, bool pressione) {
  const int16_t n = static_cast<int16_t>(state.range(0));
  const std::string progetto = ScriviProgetto(n, pressione);
  Misure misure(state);
  for (auto _ : state) {
    ui::LavoroEditor() = {};
    QElapsedTimer t;
    t.start();
    auto programma = std::make_unique<Programma>("\"" + progetto + "\"");
    QCoreApplication::processEvents();
    misure.Aggiungi(static_cast<double>(t.nsecsElapsed()) / 1e6);
    ContaLavoro(state);
    Chiudi(programma);
  }
  state.counters["tronchi"] = n;
}
void BM_AvvioImpianto(benchmark::State& state) { Avvio(state, false); }
void BM_AvvioRete(benchmark::State& state) { Avvio(state, true); }
BENCHMARK(BM_AvvioImpianto)->Arg(10)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AvvioRete)->Arg(10)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond);

// ---- Start-up from process start ---------------------------------------------------------------

int64_t OraNs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

std::string QuestoProgramma() {
  std::error_code errore;
  const fs::path p = fs::read_symlink("/proc/self/exe", errore);
  if (errore) {
    std::fprintf(stderr, "cannot find this program: %s\n", errore.message().c_str());
    std::abort();
  }
  return p.string();
}

// Milliseconds from just before a process was started, and from its main(), to its window shown.
struct TempiProcesso {
  double DaAvvio = 0;
  double DaMain = 0;
};

// Starts this program anew in the role `argomenti` names and returns its times, as it measured
// and printed them.
TempiProcesso MisuraProcesso(const std::vector<std::string>& argomenti) {
  static const std::string programma = QuestoProgramma();
  int tubo[2];
  if (pipe2(tubo, O_CLOEXEC) != 0) std::abort();
  posix_spawn_file_actions_t azioni;
  posix_spawn_file_actions_init(&azioni);
  posix_spawn_file_actions_adddup2(&azioni, tubo[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&azioni, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> testi{programma, "--processo", ""};
  testi.insert(testi.end(), argomenti.begin(), argomenti.end());
  testi[2] = std::to_string(OraNs());
  std::vector<char*> argv;
  for (std::string& t : testi) argv.push_back(t.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int esito = posix_spawn(&pid, programma.c_str(), &azioni, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&azioni);
  close(tubo[1]);
  if (esito != 0) {
    std::fprintf(stderr, "cannot start %s\n", programma.c_str());
    std::abort();
  }
  std::string uscita;
  char blocco[256];
  for (ssize_t letti; (letti = read(tubo[0], blocco, sizeof blocco)) > 0;) uscita.append(blocco, static_cast<size_t>(letti));
  close(tubo[0]);
  int stato = 0;
  waitpid(pid, &stato, 0);
  if (!WIFEXITED(stato) || WEXITSTATUS(stato) != 0 || uscita.empty()) {
    std::fprintf(stderr, "the %s process failed\n", argomenti.front().c_str());
    std::abort();
  }
  TempiProcesso t;
  if (std::sscanf(uscita.c_str(), "%lf %lf", &t.DaAvvio, &t.DaMain) != 2) {
    std::fprintf(stderr, "the %s process printed: %s\n", argomenti.front().c_str(), uscita.c_str());
    std::abort();
  }
  return t;
}

double Mediana(std::vector<double> tempi) {
  std::sort(tempi.begin(), tempi.end());
  return tempi[tempi.size() / 2];
}

// From process start to the shown main window with the project calculated in the editor, against
// an empty main window's program from its own start, the two taken in turn.
void AvvioProcesso(benchmark::State& state, bool pressione) {
  const int16_t n = static_cast<int16_t>(state.range(0));
  const std::string progetto = ScriviProgetto(n, pressione);
  std::vector<double> avvii, avviiDaMain, vuote, vuoteDaMain;
  for (auto _ : state) {
    const TempiProcesso vuota = MisuraProcesso({"vuota"});
    const TempiProcesso avvio = MisuraProcesso({"avvio", Setting().programma, Setting().impostazioni, progetto});
    vuote.push_back(vuota.DaAvvio);
    vuoteDaMain.push_back(vuota.DaMain);
    avvii.push_back(avvio.DaAvvio);
    avviiDaMain.push_back(avvio.DaMain);
    state.SetIterationTime(avvio.DaAvvio / 1000.0);
  }
  const double mediana = Mediana(avvii);
  state.counters["mediana_ms"] = mediana;
  state.counters["peggiore_ms"] = *std::max_element(avvii.begin(), avvii.end());
  state.counters["finestra_vuota_ms"] = Mediana(vuote);
  state.counters["x_finestra_vuota"] = mediana / Mediana(vuote);
  // The same from main(): without loading the program and its libraries.
  state.counters["da_main_ms"] = Mediana(avviiDaMain);
  state.counters["finestra_vuota_da_main_ms"] = Mediana(vuoteDaMain);
  state.counters["x_finestra_vuota_da_main"] = Mediana(avviiDaMain) / Mediana(vuoteDaMain);
  state.counters["tronchi"] = n;
}
void BM_AvvioProcessoImpianto(benchmark::State& state) { AvvioProcesso(state, false); }
void BM_AvvioProcessoRete(benchmark::State& state) { AvvioProcesso(state, true); }
BENCHMARK(BM_AvvioProcessoImpianto)->Arg(10)->Arg(50)->Arg(200)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AvvioProcessoRete)->Arg(10)->Arg(50)->Arg(200)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);

// The started process: `inizio` is when its parent started it, on the monotonic clock. It shows
// an empty main window ("vuota") or runs the program's start-up on a project ("avvio"), prints the
// milliseconds since `inizio` and since its main() when the window is shown, then closes as the
// program does.
int Processo(int argc, char** argv) {
  const int64_t main = OraNs();
  if (argc < 4) return 2;
  const int64_t inizio = std::stoll(argv[2]);
  const std::string ruolo = argv[3];
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int argcQt = 1;
  QApplication app(argcQt, argv);
  auto Mostrata = [inizio, main] {
    const int64_t ora = OraNs();
    std::printf("%.3f %.3f\n", static_cast<double>(ora - inizio) / 1e6, static_cast<double>(ora - main) / 1e6);
    std::fflush(stdout);
  };
  if (ruolo == "vuota") {
    QMainWindow finestra;
    MostraFinestraVuota(finestra);
    Mostrata();
    return 0;
  }
  if (ruolo != "avvio" || argc < 7) return 2;
  // As the program's own start: Italian toolkit texts, services, subsystems, then the start-up.
  QTranslator traduzioni;
  ui::InstallaTraduzioni(traduzioni);
  ImpostaCartellaProgramma(argv[4]);
  ui::ServiziQt servizi(QString::fromLocal8Bit(argv[5]));
  UtenteSilenzioso utente;
  ImpostaInterazione(&utente);
  DialoghiInattesi dialoghi;
  ui::ImpostaDialoghi(&dialoghi);
  ui::CicloVitaQt cicloVita;
  ui::ArchiviQt archivi;
  ui::IstanzaUnica istanza(QStringLiteral("VarnexProBench-%1").arg(QCoreApplication::applicationPid()));
  ui::FinestreAvvioQt finestre(istanza);
  SequenzaAvvio sequenza(finestre);
  ui::InstallaSottosistemi();
  if (sequenza.Esegui("\"" + std::string(argv[6]) + "\"") != EsitoAvvio::Avviato || !sequenza.ProgettoDaRigaComando())
    return 1;
  QCoreApplication::processEvents();
  Mostrata();
  ui::ImpostaDialoghi(nullptr);
  ImpostaInterazione(nullptr);
  return 0;
}

// Calculate and show after a confirmed edit, on the page the user looks at, until the window has
// painted it. The edit changes the flow of the last appliance, which changes the flows, drops
// and pressures along its path to the source.
void Elaborazione(benchmark::State& state, bool pressione, int pagina) {
  const int16_t n = static_cast<int16_t>(state.range(0));
  auto programma = std::make_unique<Programma>("\"" + ScriviProgetto(n, pressione) + "\"");
  ui::GasGrid* editor = ui::GasGridCaricato();
  editor->SelezionaPagina(pagina);
  QCoreApplication::processEvents();
  float& portata = Tronco(n).ID_P_UTENZE;
  const float portate[2] = {portata, portata * 1.5f};
  int volta = 0;
  {
    Misure misure(state);
    for (auto _ : state) {
      portata = portate[++volta % 2];
      ui::LavoroEditor() = {};
      QElapsedTimer t;
      t.start();
      editor->Elaborazione();
      QCoreApplication::processEvents();
      misure.Aggiungi(static_cast<double>(t.nsecsElapsed()) / 1e6);
      ContaLavoro(state);
    }
  }
  state.counters["tronchi"] = n;
  Chiudi(programma);
}
void BM_ElaborazioneTabellaImpianto(benchmark::State& s) { Elaborazione(s, false, 0); }
void BM_ElaborazioneSchemaImpianto(benchmark::State& s) { Elaborazione(s, false, 1); }
void BM_ElaborazioneTabellaRete(benchmark::State& s) { Elaborazione(s, true, 0); }
void BM_ElaborazioneSchemaRete(benchmark::State& s) { Elaborazione(s, true, 1); }
BENCHMARK(BM_ElaborazioneTabellaImpianto)->Arg(10)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ElaborazioneSchemaImpianto)->Arg(10)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ElaborazioneTabellaRete)->Arg(10)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ElaborazioneSchemaRete)->Arg(10)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond);

// A report file of the open project, from the save dialog's answer to the closing message.
void Report(benchmark::State& state, bool pressione, bool html) {
  const int16_t n = static_cast<int16_t>(state.range(0));
  auto programma = std::make_unique<Programma>("\"" + ScriviProgetto(n, pressione) + "\"");
  FinestreReport finestre;
  finestre.percorso = (fs::path(Setting().progetti) / (html ? "report.html" : "report.txt")).string();
  ImpostaFinestreStampaFile(&finestre);
  // The whole report: every section, the diagram included.
  for (SezioneReport sezione : OrdineSezioni) FlagSezione(sezione) = -1;
  NumSezioniStampa = ContaSezioniSelezionate();
  UtenteSilenzioso& utente = *static_cast<UtenteSilenzioso*>(&Interazione());
  {
    Misure misure(state);
    for (auto _ : state) {
      QElapsedTimer t;
      t.start();
      if (html)
        PrintHTMLReport(0);
      else
        PrintTXTReport();
      misure.Aggiungi(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
  }
  if (utente.ultimo.find("conclusa con successo") == std::string::npos) {
    std::fprintf(stderr, "report run failed: %s\n", utente.ultimo.c_str());
    std::abort();
  }
  ImpostaFinestreStampaFile(nullptr);
  AzzeraSezioni();
  state.counters["tronchi"] = n;
  Chiudi(programma);
}
void BM_ReportHTMLImpianto(benchmark::State& s) { Report(s, false, true); }
void BM_ReportTestoImpianto(benchmark::State& s) { Report(s, false, false); }
void BM_ReportHTMLRete(benchmark::State& s) { Report(s, true, true); }
void BM_ReportTestoRete(benchmark::State& s) { Report(s, true, false); }
BENCHMARK(BM_ReportHTMLImpianto)->Arg(10)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportTestoImpianto)->Arg(10)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportHTMLRete)->Arg(10)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportTestoRete)->Arg(10)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond);

// The diagram page alone printed to a PDF file, A4 landscape, at its own scale and fitted: every
// sheet draws the whole network, and every drawing on paper places its labels clear of one another
// and of the drawing once the drawing is whole. Counter "fogli": the sheets the diagram took.
void Diagramma(benchmark::State& state, bool adatta) {
  const int16_t n = static_cast<int16_t>(state.range(0));
  auto programma = std::make_unique<Programma>("\"" + ScriviProgetto(n, false) + "\"");
  QTemporaryDir cartella;
  AdattaSchemaPagina = adatta ? -1 : 0;
  {
    Misure misure(state);
    for (auto _ : state) {
      QPrinter printer(QPrinter::HighResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(cartella.filePath(QStringLiteral("schema.pdf")));
      printer.setPageSize(QPageSize(QPageSize::A4));
      printer.setPageOrientation(QPageLayout::Landscape);
      QElapsedTimer t;
      t.start();
      ui::StampanteQt stampante(printer);
      ImpostaStampanteReport(&stampante);
      SetupPage();
      PrintDiagrammaRete(stampante, 0);
      stampante.EndDoc();
      ImpostaStampanteReport(nullptr);
      misure.Aggiungi(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
  }
  AdattaSchemaPagina = 0;
  state.counters["tronchi"] = n;
  if (ui::DiagrammaStampaQt* d = ui::DiagrammaStampaInstallato()) state.counters["fogli"] = d->UltimoPiazzamento().fogli;
  Chiudi(programma);
}
void BM_DiagrammaPdf(benchmark::State& s) { Diagramma(s, false); }
void BM_DiagrammaPdfAdattato(benchmark::State& s) { Diagramma(s, true); }
BENCHMARK(BM_DiagrammaPdf)->Arg(10)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiagrammaPdfAdattato)->Arg(10)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--processo") return Processo(argc, argv);
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  PrimaFinestraMs() = FinestraVuotaMs();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  // A program folder with the shipped archives, settings of its own, projects written once.
  Ambiente& a = Setting();
  a.programma = QDir(a.cartella.path()).filePath(QStringLiteral("programma")).toStdString();
  a.impostazioni = QDir(a.cartella.path()).filePath(QStringLiteral("impostazioni")).toStdString();
  a.progetti = QDir(a.cartella.path()).filePath(QStringLiteral("progetti")).toStdString();
  fs::copy(VARNEX_SOURCE_DATA_DIR, a.programma, fs::copy_options::recursive);
  fs::create_directories(a.impostazioni);
  fs::create_directories(a.progetti);
  ImpostaCartellaProgramma(a.programma);

  int rc = 0;
  {
    ui::ServiziQt servizi(QString::fromStdString(a.impostazioni));
    UtenteSilenzioso utente;
    ImpostaInterazione(&utente);
    DialoghiInattesi dialoghi;
    ui::ImpostaDialoghi(&dialoghi);
    SaveSetting("Varnex", "HintsShow", "false");
    ui::CicloVitaQt cicloVita;
    ui::ArchiviQt archivi;
    ui::InstallaSottosistemi();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ui::ImpostaDialoghi(nullptr);
    ImpostaInterazione(nullptr);
  }
  return rc;
}
