#include "app/ui/startup.h"

#include "schema/ui/schema_canvas.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QDir>
#include <QPointer>
#include <QStandardPaths>
#include <filesystem>

#include "archives/ui/archivi.h"
#include "model/files.h"
#include "model/interaction.h"
#include "report/files/ui/stampa_file_qt.h"
#include "report/print/ui/diagramma_qt.h"
#include "shell/hints.h"
#include "shell/mru.h"
#include "shell/progetto.h"
#include "shell/ui/hints_window.h"
#include "app/ui/lifecycle.h"
#include "app/ui/main_window.h"
#include "shell/ui/qt_services.h"
#include "shell/ui/splash.h"
#include "shell/ui/start_screen.h"
#include "tightness/ui/pagina_tenuta_qt.h"

namespace varnex::ui {

// ---- IstanzaUnica ----------------------------------------------------------------------------

namespace {
QString CartellaLock() {
  QString cartella = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (cartella.isEmpty()) cartella = QDir::tempPath();
  return cartella;
}
}  // namespace

IstanzaUnica::IstanzaUnica(const QString& nome)
    : lock_(std::make_unique<QLockFile>(QDir(CartellaLock()).filePath(nome + QStringLiteral(".lock")))) {
  // The lock lives as long as the process: it is never stale while its owner runs, and a lock
  // left by a crashed process is recognised by its dead owner and taken over.
  lock_->setStaleLockTime(0);
}

bool IstanzaUnica::Prendi() {
  if (!preso_) preso_ = lock_->tryLock(0);
  return preso_;
}

QString IstanzaUnica::Percorso() const { return QDir(CartellaLock()).path(); }

// ---- FinestreAvvioQt -------------------------------------------------------------------------

FinestreAvvioQt::FinestreAvvioQt(IstanzaUnica& istanza) : istanza_(istanza) {}

FinestreAvvioQt::~FinestreAvvioQt() {
  splash_.reset();
  // The main window may already be gone (closing the program unloads every window).
  delete principale_.data();
}

bool FinestreAvvioQt::PrendiIstanza() { return istanza_.Prendi(); }

void FinestreAvvioQt::MostraSplash() {
  splash_ = std::make_unique<frmSplash>();
  // Unloaded by the start-up sequence once the archives are read.
  NonProprietaria(splash_.get());
  splash_->MostraAvvio();
}

void FinestreAvvioQt::Progresso(int16_t valore) {
  if (splash_) splash_->ProgressBar1->setValue(valore);
}

void FinestreAvvioQt::ShowWorking(const std::string& testo) {
  if (splash_) splash_->ShowWorking(testo);
}

void FinestreAvvioQt::ScaricaSplash() { splash_.reset(); }

void FinestreAvvioQt::MostraFinestraPrincipale() {
  auto* finestra = new frmMainForm();
  principale_ = finestra;
  finestra->show();
  DoEvents();
  DoEvents();
}

void FinestreAvvioQt::MostraSuggerimenti() {
  frmHints finestra(principale_.data());
  MostraModale(finestra);
}

void FinestreAvvioQt::SpuntaSuggerimenti(bool spuntato) {
  if (auto* f = qobject_cast<frmMainForm*>(principale_.data())) f->mnuShowHints->setChecked(spuntato);
}

void FinestreAvvioQt::MostraAttivita() { ui::MostraAttivita(); }

void FinestreAvvioQt::TerminaProcesso(int codice) { Processo().Termina(codice); }

// ---- The program -----------------------------------------------------------------------------

std::string RigaComando(int argc, char** argv) {
  std::string riga;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) riga += ' ';
    riga += argv[i];
  }
  return riga;
}

void InstallaTraduzioni(QTranslator& traduzioni) {
  if (traduzioni.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&traduzioni);
}

void InstallaSottosistemi() {
  // The editor window draws its schema page through the schema subsystem...
  InstallaSchemaRete();
  // ... and its tightness-test page through the tightness subsystem.
  InstallaPaginaTenuta();
  // The printed report draws its diagram page through the schema; the report files are written
  // with the print dialog's windows.
  InstallaDiagrammaStampa();
  InstallaStampaFile();
}

bool PreparaCartellaProgramma() { return PreparaCartellaProgramma(CartellaDellEseguibile()); }

bool PreparaCartellaProgramma(const std::string& precedente) {
  std::string daPrecedente, daDistribuiti;
  // A program folder of an earlier build, beside the executable, is where the user's archives and
  // projects were until now: they come first, then what ships fills the gaps.
  bool copiata = false;
  const bool ripresa =
      RiprendiCartellaPrecedente(precedente, CartellaProgramma(), &daPrecedente, &copiata, PercorsiRicordati());
  // The recent files and the last folder must not keep the user working in the old folder, which
  // the next build or a clean-up deletes.
  if (copiata) SpostaPercorsiRicordati(precedente, CartellaProgramma());
  if (PreparaCartellaUtente(CartellaDistribuita(), CartellaProgramma(), &daDistribuiti) && ripresa) return true;
  // A folder that is there holds the user's archives and projects: the program works with them
  // (a missing archive it needs is told by the start-up); without a folder there is nothing.
  std::error_code ec;
  const bool cartella = std::filesystem::is_directory(CartellaProgramma(), ec);
  std::string dettagli = daPrecedente;
  if (!daDistribuiti.empty()) dettagli += (dettagli.empty() ? "" : "\r\n") + daDistribuiti;
  MsgBox((cartella ? "Cartella dei dati di VarnexPro " + CartellaProgramma() + ":\r\n"
                   : "Impossibile preparare la cartella dei dati di VarnexPro " + CartellaProgramma() + ".\r\n") +
             dettagli,
         Bottoni::OK, cartella ? Icona::Esclamazione : Icona::Critico);
  return cartella;
}

int EseguiProgramma(int argc, char** argv) {
  int rc = 0;
  QTranslator traduzioni;
  InstallaTraduzioni(traduzioni);
  {
    // Messages, dialogs, settings and the rest go through these for the whole run.
    ServiziQt servizi;
    CicloVitaQt cicloVita;
    // The substitution question while a project loads, the gas editor behind the parameters.
    ArchiviQt archivi;
    IstanzaUnica istanza;
    FinestreAvvioQt finestre(istanza);
    SequenzaAvvio sequenza(finestre);
    InstallaSottosistemi();
    // The user's folder gets what ships with the program wherever a file is missing, before
    // anything reads it; a second instance only reads. The lock is taken again by the sequence.
    if (istanza.Prendi() && !PreparaCartellaProgramma()) return 1;
    const EsitoAvvio esito = sequenza.Esegui(RigaComando(argc, argv));
    if (esito != EsitoAvvio::Avviato) return esito == EsitoAvvio::SecondaIstanza ? 0 : 1;
    rc = QApplication::exec();
    // The recent-files list is saved when released, while the settings store is still there.
    FileRecenti.save();
  }
  return rc;
}

}  // namespace varnex::ui
