// Every message and dialog a project read can open, through the real main window and the real
// message boxes, by each way a project is opened: the window each one belongs to must outlive it.
// The wait window is shown during the read and unloaded by the read's end and by the editor's
// paint: a dialog that belonged to it was destroyed inside its own modal loop (the program closed
// under the user, "munmap_chunk(): invalid pointer").
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "editor/ui/gasgrid.h"
#include "model/rete.h"
#include "model/sostituzione.h"
#include "model/strings.h"
#include "archives/ui/archivi.h"
#include "shell/mru.h"
#include "shell/progetto.h"
#include "shell/settings.h"
#include "app/startup.h"
#include "app/ui/lifecycle.h"
#include "app/ui/main_window.h"
#include "shell/ui/qt_services.h"
#include "shell/ui/start_screen.h"
#include "app/ui/startup.h"
#include "shell/ui/wait_window.h"
#include "support/temp_folder.h"
#include "support/ui/fake_services.h"

namespace varnex::test {
namespace {

// The user in front of every modal window, as the window's own modal loop would run it: the
// events pending while it is up are delivered (the editor's paint among them) and the windows
// unloaded meanwhile are destroyed, before the user answers. The window each dialog belongs to is
// noted as it is shown.
class UtenteModale : public ui::IDialoghi {
 public:
  struct Visto {
    std::string classe, testo;
    QWidget* proprietario;
    bool proprietarioAttesa;
  };

  UtenteModale() { ui::ImpostaDialoghi(this); }
  ~UtenteModale() override { ui::ImpostaDialoghi(nullptr); }

  // What the user does on the start screen (once; the screen shown again is closed).
  std::function<void(ui::frmAttivita&)> sceltaIniziale;
  std::vector<Visto> visti;

  int Esegui(QDialog& dialogo) override {
    const QPointer<QDialog> vivo(&dialogo);
    const std::string classe = dialogo.metaObject()->className();
    std::string testo;
    if (auto* box = qobject_cast<QMessageBox*>(&dialogo)) testo = box->text().toStdString();
    QWidget* proprietario = dialogo.parentWidget() ? dialogo.parentWidget()->window() : nullptr;
    visti.push_back({classe, testo, proprietario, qobject_cast<ui::AttesaFrm*>(proprietario) != nullptr});

    dialogo.show();
    QCoreApplication::processEvents();
    // The editor under the dialog paints while it is up (its paint unloads the wait window),
    // and what was unloaded meanwhile goes, as it goes in the dialog's own modal loop.
    if (ui::GasGrid* editor = ui::GasGridCaricato(); editor && editor->isVisible()) editor->repaint();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    if (!vivo) {
      // Its caller is about to destroy it a second time: nothing after this is sound.
      ADD_FAILURE() << classe << " was destroyed while it was up (it belonged to a window unloaded under it)";
      std::abort();
    }

    if (auto* iniziale = qobject_cast<ui::frmAttivita*>(&dialogo)) {
      if (sceltaIniziale) std::exchange(sceltaIniziale, {})(*iniziale);
    } else if (auto* box = qobject_cast<QMessageBox*>(&dialogo)) {
      // "No" where asked (nothing is saved), the first button otherwise.
      QAbstractButton* scelto = box->defaultButton();
      for (QAbstractButton* b : box->buttons())
        if (b->text() == QStringLiteral("No")) scelto = b;
      if (scelto) scelto->click();
    }
    // Anything else (the substitution window) is left with its close box: no substitute.
    if (dialogo.isVisible()) dialogo.close();
    return dialogo.result();
  }
};

// The program started for real, but for the user: the real message boxes, scripted modal windows.
struct Programma {
  Programma(const TempFolder& impostazioni)
      : servizi(QString::fromStdString(impostazioni.Path())),
        tipsSpenti(SaveSetting("Varnex", "HintsShow", "false")),
        istanza(QStringLiteral("VarnexProprietari-%1").arg(QCoreApplication::applicationPid())),
        finestre(istanza),
        sequenza(finestre) {}
  ui::ServiziQt servizi;
  bool tipsSpenti;
  UtenteModale utente;
  FakeFileDialoghi file;
  FakeProcesso processo;
  ui::CicloVitaQt cicloVita;
  ui::ArchiviQt archivi;
  ui::IstanzaUnica istanza;
  ui::FinestreAvvioQt finestre;
  SequenzaAvvio sequenza;
};

// A project of the shipped archives with one thing changed in its text.
struct Caso {
  const char* nome;
  const char* da;  // the text of the shipped project replaced...
  const char* a;   // ...with this one
  // What the user meets, in order: the window's class, with the beginning of a message's text.
  std::vector<std::pair<std::string, std::string>> attesi;
};

enum class Via { F3, SchermataApri, SchermataRecenti, RigaDiComando };

const char* NomeVia(Via v) {
  switch (v) {
    case Via::F3: return "F3";
    case Via::SchermataApri: return "SchermataApri";
    case Via::SchermataRecenti: return "SchermataRecenti";
    case Via::RigaDiComando: return "RigaDiComando";
  }
  return "";
}

const Caso Casi[] = {
    {"SerieMancante",
     "ACCIAIOL",
     "SERIE DEL COLLEGA",
     {{"varnex::ui::frmEquivDialog", ""}, {"QMessageBox", "Diametri interni non validi: calcolo non eseguito."}}},
    {"GasMancante",
     "\r\nMetano\r\n",
     "\r\nGas del collega\r\n",
     {{"QMessageBox", "Attenzione! Il gas Gas del collega selezionato non"},
      {"varnex::ui::frmEquivDialog", ""},
      {"QMessageBox", "Il gas Gas del collega del progetto non e' presente nell'archivio gas"}}},
    {"ValoreNonNumerico",
     "\r\n3\t2,5\t2,5\t6,25\t",
     "\r\n3\t2,5\t2,5\tNaN\t",
     {{"QMessageBox", "Alcuni valori del progetto non sono numeri"}}},
    {"ValoreNonFinito",
     "\r\n3\t2,5\t2,5\t6,25\t",
     "\r\n3\t2,5\t2,5\t1e999\t",
     {{"QMessageBox", "Il valore \"1e999\" del tronco 3"}}},
};

class DialoghiDellaLettura : public ::testing::TestWithParam<std::tuple<int, Via>> {};

TEST_P(DialoghiDellaLettura, AppartengonoAllaFinestraPrincipale) {
  const Caso& caso = Casi[std::get<0>(GetParam())];
  const Via via = std::get<1>(GetParam());
  // A name left without a substitute is not asked about again while a project loads.
  frmEquiv.Reset();
  TempFolder cartella;
  cartella.UsaComeCartellaProgramma();
  cartella.CopiaDatiDistribuiti();
  TempFolder impostazioni;
  const std::string villetta = cartella.File("Archivio Lavori/Villetta.RTG");
  std::string testo = LeggiByte(villetta);
  ASSERT_NE(testo.find(caso.da), std::string::npos) << caso.da;
  const std::string progetto = cartella.Write("Collega.RTG", Replace(testo, caso.da, caso.a));
  {
    Programma programma(impostazioni);
    UtenteModale& utente = programma.utente;
    ui::InstallaSottosistemi();
    std::string rigaDiComando;
    size_t primo = 0;  // the first window seen that belongs to the read
    switch (via) {
      case Via::F3:
        rigaDiComando = "\"" + villetta + "\"";
        break;
      case Via::SchermataApri:
        programma.file.Rispondi(progetto);
        utente.sceltaIniziale = [](ui::frmAttivita& f) { f.cmdApri_Click(); };
        primo = 1;
        break;
      case Via::SchermataRecenti:
        ASSERT_TRUE(SaveSetting("MRUFileList", "Item1", progetto));
        utente.sceltaIniziale = [](ui::frmAttivita& f) { f.lblMRUFile_Click(0); };
        primo = 1;
        break;
      case Via::RigaDiComando:
        rigaDiComando = "\"" + progetto + "\"";
        break;
    }
    ASSERT_EQ(programma.sequenza.Esegui(rigaDiComando), EsitoAvvio::Avviato);
    QCoreApplication::processEvents();
    ui::frmMainForm* principale = ui::FinestraPrincipaleCaricata();
    ASSERT_NE(principale, nullptr);
    if (via == Via::F3) {
      ASSERT_TRUE(utente.visti.empty()) << utente.visti.front().classe << " " << utente.visti.front().testo;
      programma.file.Rispondi(progetto);
      principale->ApriMnu->trigger();
      QCoreApplication::processEvents();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    std::string elenco;
    for (const UtenteModale::Visto& v : utente.visti) elenco += "\n  " + v.classe + " \"" + v.testo + "\"";
    SCOPED_TRACE("windows met:" + elenco);
    // The read's windows, in order, wherever they begin (a question about the project open
    // before may come first).
    auto Uguale = [](const UtenteModale::Visto& v, const std::pair<std::string, std::string>& a) {
      return v.classe == a.first && v.testo.rfind(a.second, 0) == 0;
    };
    size_t inizio = primo;
    while (inizio < utente.visti.size() && !Uguale(utente.visti[inizio], caso.attesi.front())) ++inizio;
    ASSERT_LE(inizio + caso.attesi.size(), utente.visti.size());
    for (size_t i = 0; i < caso.attesi.size(); ++i)
      EXPECT_TRUE(Uguale(utente.visti[inizio + i], caso.attesi[i])) << caso.attesi[i].first << " " << caso.attesi[i].second;
    for (size_t i = primo; i < utente.visti.size(); ++i) {
      const UtenteModale::Visto& v = utente.visti[i];
      EXPECT_FALSE(v.proprietarioAttesa) << v.classe << " " << v.testo;
      if (v.classe != "varnex::ui::frmAttivita") EXPECT_EQ(v.proprietario, principale) << v.classe << " " << v.testo;
    }
    EXPECT_TRUE(programma.processo.codici.empty());
  }
  ResetRete();
}

INSTANTIATE_TEST_SUITE_P(
    OgniVia, DialoghiDellaLettura,
    ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(Casi))),
                       ::testing::Values(Via::F3, Via::SchermataApri, Via::SchermataRecenti, Via::RigaDiComando)),
    [](const ::testing::TestParamInfo<std::tuple<int, Via>>& info) {
      return std::string(Casi[std::get<0>(info.param)].nome) + "_" + NomeVia(std::get<1>(info.param));
    });

}  // namespace
}  // namespace varnex::test
