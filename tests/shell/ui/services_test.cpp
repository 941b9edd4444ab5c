#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "model/files.h"
#include "model/strings.h"
#include "shell/mru.h"
#include "shell/settings.h"
#include "shell/ui/qt_interaction.h"
#include "shell/ui/qt_services.h"
#include "shell/ui/services.h"
#include "shell/ui/units.h"
#include "shell/ui/window_registry.h"
#include "support/fake_interaction.h"
#include "support/stato_processo.h"
#include "support/temp_folder.h"
#include "support/utente_comune.h"
#include "support/ui/fake_services.h"

namespace varnex::ui {
namespace {

using test::FakeDialoghi;
using test::TempFolder;

// ---- Settings store -------------------------------------------------------------------------

TEST(QtSettingsStore, RoundTripOfAwkwardTexts) {
  TempFolder cartella;
  const std::vector<std::string> valori = {
      "",          "/home/u/Archivio Lavori/rete 1.RTG", "Via Roma, 5", "a;b", "\"virgolette\"", "C:\\Lavori\\a.RTG",
      "  blank  ", "@Variant(strano)",                   "città è",     "true", "#commento",    "=uguale=", "[sezione]"};
  {
    QtImpostazioni store(QString::fromStdString(cartella.Path()));
    for (size_t i = 0; i < valori.size(); ++i) EXPECT_TRUE(store.Scrivi("MRUFileList", "Item" + std::to_string(i), valori[i]));
  }
  QtImpostazioni riletto(QString::fromStdString(cartella.Path()));
  for (size_t i = 0; i < valori.size(); ++i) {
    SCOPED_TRACE(valori[i]);
    EXPECT_EQ(riletto.Leggi("MRUFileList", "Item" + std::to_string(i)), std::optional<std::string>(valori[i]));
  }
  EXPECT_FALSE(riletto.Leggi("MRUFileList", "Item99"));
  EXPECT_FALSE(riletto.Leggi("Altro", "Item1"));
}

TEST(QtSettingsStore, EveryWriteIsOnDiskAtOnceUnderTheGivenSections) {
  TempFolder cartella;
  QtImpostazioni store(QString::fromStdString(cartella.Path()));
  EXPECT_EQ(store.Percorso().toStdString(), cartella.File("Varnex.ini"));
  store.Scrivi("Varnex", "HintsShow", "false");
  store.Scrivi("Varnex", "X-percent", "100");
  store.Scrivi("Recent", "LastWorkDirectory", "/home/u/Archivio Lavori/");
  const std::string ini = cartella.Read("Varnex.ini");
  EXPECT_NE(ini.find("[Varnex]"), std::string::npos) << ini;
  EXPECT_NE(ini.find("HintsShow=false"), std::string::npos) << ini;
  EXPECT_NE(ini.find("X-percent=100"), std::string::npos) << ini;
  EXPECT_NE(ini.find("[Recent]"), std::string::npos) << ini;
}

// The settings file is replaced like every file the program saves: a link to it stays a link, the
// file keeps its permissions, and one the user may not write reports the failure.
TEST(QtSettingsStore, SavedLikeEveryOtherFile) {
  namespace fs = std::filesystem;
  TempFolder cartella, altrove;
  const std::string vero = altrove.Write("Varnex.ini", "[Varnex]\nHintLast=1\n");
  fs::permissions(vero, fs::perms(0664));
  fs::create_symlink(vero, cartella.File("Varnex.ini"));
  {
    QtImpostazioni store(QString::fromStdString(cartella.Path()));
    EXPECT_TRUE(store.Scrivi("Varnex", "HintLast", "2"));
  }
  EXPECT_TRUE(fs::is_symlink(cartella.File("Varnex.ini")));
  EXPECT_NE(altrove.Read("Varnex.ini").find("HintLast=2"), std::string::npos);
  EXPECT_EQ(fs::status(vero).permissions(), fs::perms(0664));

  ::chmod(altrove.Path().c_str(), 0777);
  ASSERT_EQ(::chown(vero.c_str(), test::UidUtenteComune(), test::GidUtenteComune()), 0);
  fs::permissions(vero, fs::perms(0444));
  const auto esito = test::ComeUtenteComune([&] {
    QtImpostazioni store(QString::fromStdString(altrove.Path()));
    return std::string(store.Scrivi("Varnex", "HintLast", "3") ? "scritto" : "rifiutato");
  });
  ASSERT_TRUE(esito.has_value());
  EXPECT_EQ(*esito, "rifiutato");
  EXPECT_NE(altrove.Read("Varnex.ini").find("HintLast=2"), std::string::npos);
}

// Opening a project saves the recent-files list: the file is written when the list changes, with
// all its entries, and left alone when the list is the same.
TEST(QtSettingsStore, TheRecentFilesListIsWrittenOnlyWhenItChanges) {
  TempFolder cartella;
  QtImpostazioni store(QString::fromStdString(cartella.Path()));
  ImpostaImpostazioni(&store);
  clsMRU lista;
  lista.Setup("MRUFileList", 4);
  lista.AddItem("/a.RTG");
  EXPECT_NE(cartella.Read("Varnex.ini").find("Item1=/a.RTG"), std::string::npos);
  ASSERT_TRUE(QFile::remove(store.Percorso()));
  lista.AddItem("/a.RTG");
  EXPECT_FALSE(QFile::exists(store.Percorso()));
  lista.AddItem("/b.RTG");
  const std::string ini = cartella.Read("Varnex.ini");
  EXPECT_NE(ini.find("Item1=/b.RTG"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Item2=/a.RTG"), std::string::npos) << ini;
  ImpostaImpostazioni(nullptr);
  QtImpostazioni riletto(QString::fromStdString(cartella.Path()));
  EXPECT_EQ(riletto.Leggi("MRUFileList", "Item1"), std::optional<std::string>("/b.RTG"));
  EXPECT_EQ(riletto.Leggi("MRUFileList", "Item2"), std::optional<std::string>("/a.RTG"));
}

TEST(QtSettingsStore, HandEditedListValueReadsAsText) {
  TempFolder cartella;
  cartella.Write("Varnex.ini", "[MRUFileList]\nItem1=/a/Via Roma, 5.RTG\n");
  QtImpostazioni store(QString::fromStdString(cartella.Path()));
  EXPECT_EQ(store.Leggi("MRUFileList", "Item1"), std::optional<std::string>("/a/Via Roma, 5.RTG"));
}

TEST(QtSettingsStore, InstalledStoreServesTheCore) {
  TempFolder cartella;
  QtImpostazioni store(QString::fromStdString(cartella.Path()));
  ImpostaImpostazioni(&store);
  SaveSetting("Varnex", "HintLast", "4");
  ImpostaImpostazioni(nullptr);
  EXPECT_EQ(GetSetting("Varnex", "HintLast", "0"), "0");
  QtImpostazioni altro(QString::fromStdString(cartella.Path()));
  EXPECT_EQ(altro.Leggi("Varnex", "HintLast"), std::optional<std::string>("4"));
}

// A settings file that cannot be written: the user hears of it once, with the file's name, and
// the program goes on.
TEST(QtSettingsStore, UnFileNonScrivibileEDettoUnaVoltaPerSessione) {
  TempFolder cartella;
  // Where the file should be there is a folder: no user, root included, can write it.
  std::filesystem::create_directories(cartella.File("Varnex.ini"));
  QtImpostazioni store(QString::fromStdString(cartella.Path()));
  ImpostaImpostazioni(&store);
  test::FakeInterazione utente;
  utente.Attendi("Impossibile salvare le impostazioni di VarnexPro nel file " + cartella.File("Varnex.ini"));
  EXPECT_FALSE(SaveSetting("Recent", "LastWorkDirectory", "/lavori/"));
  FileRecenti.Setup("MRUFileList", 4);
  FileRecenti.AddItem("/lavori/a.RTG");
  FileRecenti.save();
  EXPECT_FALSE(SaveSetting("Varnex", "HintLast", "3"));
  EXPECT_EQ(utente.messaggi.size(), 1u);
  // A new session (a store installed anew) tells it again.
  ImpostaImpostazioni(&store);
  utente.Attendi("Impossibile salvare le impostazioni");
  EXPECT_FALSE(SaveSetting("Varnex", "HintLast", "4"));
  EXPECT_EQ(utente.messaggi.size(), 2u);
  ImpostaImpostazioni(nullptr);
  FileRecenti.Setup("MRUFileList", 4);
}

TEST(QtServices, InstalledForTheLifeOfTheBundle) {
  TempFolder cartella;
  {
    ServiziQt servizi(QString::fromStdString(cartella.Path()));
    SaveSetting("MRUFileList", "Item1", "/a.RTG");
    EXPECT_NE(cartella.Read("Varnex.ini").find("Item1=/a.RTG"), std::string::npos);
    EXPECT_NE(dynamic_cast<QtDialoghi*>(&Dialoghi()), nullptr);
    EXPECT_NE(dynamic_cast<QtFileDialoghi*>(&FileDialoghi()), nullptr);
    EXPECT_NE(dynamic_cast<QtDesktop*>(&Desktop()), nullptr);
    EXPECT_NE(dynamic_cast<QtProcesso*>(&Processo()), nullptr);
    EXPECT_NE(dynamic_cast<QtInterazione*>(&Interazione()), nullptr);
  }
  EXPECT_EQ(GetSetting("MRUFileList", "Item1", "vuoto"), "vuoto");
  EXPECT_EQ(dynamic_cast<QtDialoghi*>(&Dialoghi()), nullptr);
  EXPECT_EQ(dynamic_cast<QtInterazione*>(&Interazione()), nullptr);
}

// ---- Modal dialogs ----------------------------------------------------------------------------

class DialogoDiProva : public Dialogo {
 public:
  DialogoDiProva() {
    setObjectName(QStringLiteral("DialogoDiProva"));
    ok = new QPushButton(QStringLiteral("OK"), this);
    connect(ok, &QPushButton::clicked, this, [this] {
      Done = true;
      accept();
    });
  }
  void AzzeraRisposta() override { Done = false; }
  bool Done = false;
  QPushButton* ok;
};

TEST(ModalDialogs, ResultAndAnswerAreNeverStale) {
  FakeDialoghi utente;
  DialogoDiProva d;
  utente.Attendi("DialogoDiProva", FakeDialoghi::Clicca(QStringLiteral("OK")));
  EXPECT_EQ(MostraModale(d), QDialog::Accepted);
  EXPECT_TRUE(d.Done);
  // The same dialog again, closed with the close box: "Annulla", nothing left from the first use.
  utente.Attendi("DialogoDiProva", FakeDialoghi::ChiudiFinestra());
  EXPECT_EQ(MostraModale(d), QDialog::Rejected);
  EXPECT_FALSE(d.Done);
  // Left open by the user's script: closed as with the close box.
  utente.Attendi("DialogoDiProva");
  EXPECT_EQ(MostraModale(d), QDialog::Rejected);
  EXPECT_FALSE(d.isVisible());
}

TEST(ModalDialogs, NothingInstalledAnswersAnnullaWithoutShowing) {
  DialogoDiProva d;
  d.Done = true;
  EXPECT_EQ(MostraModale(d), QDialog::Rejected);
  EXPECT_FALSE(d.Done);
  EXPECT_FALSE(d.isVisible());
}

// ---- Message boxes ----------------------------------------------------------------------------

TEST(QtMessages, ButtonsIconsAndEmptyTitle) {
  struct Caso {
    Bottoni bottoni;
    std::vector<QString> testi;
  };
  const Caso casi[] = {
      {Bottoni::OK, {"OK"}},
      {Bottoni::OKAnnulla, {"OK", "Annulla"}},
      {Bottoni::SiNo, {QString::fromUtf8("Sì"), "No"}},
      {Bottoni::SiNoAnnulla, {QString::fromUtf8("Sì"), "No", "Annulla"}},
      {Bottoni::RiprovaAnnulla, {"Riprova", "Annulla"}},
  };
  for (const auto& c : casi) {
    MessaggioQt m = CostruisciMessaggio("Salvare il progetto aperto", c.bottoni, Icona::Domanda, "");
    ASSERT_EQ(m.risposte.size(), c.testi.size());
    for (size_t i = 0; i < c.testi.size(); ++i) EXPECT_EQ(m.risposte[i].first->text(), c.testi[i]);
    EXPECT_EQ(m.box->escapeButton(), m.risposte.back().first);
    EXPECT_EQ(m.box->windowTitle(), QStringLiteral("VarnexPro")) << "no title: the program's name";
    EXPECT_EQ(m.box->icon(), QMessageBox::Question);
  }
  struct CasoIcona {
    Icona icona;
    QMessageBox::Icon qt;
  };
  for (const auto& c : {CasoIcona{Icona::Nessuna, QMessageBox::NoIcon}, CasoIcona{Icona::Critico, QMessageBox::Critical},
                        CasoIcona{Icona::Esclamazione, QMessageBox::Warning},
                        CasoIcona{Icona::Informazione, QMessageBox::Information}})
    EXPECT_EQ(CostruisciMessaggio("x", Bottoni::OK, c.icona, "").box->icon(), c.qt);
  MessaggioQt m = CostruisciMessaggio("ATTENZIONE!!!\r\nNon è stata installata", Bottoni::OK, Icona::Esclamazione, "Stampa");
  EXPECT_EQ(m.box->text(), QString::fromUtf8("ATTENZIONE!!!\nNon è stata installata"));
  EXPECT_EQ(m.box->windowTitle(), QStringLiteral("Stampa"));
  // A short message still leaves its title bar the room for the whole title.
  m = CostruisciMessaggio("Fatto", Bottoni::OK, Icona::Nessuna, "");
  m.box->show();
  EXPECT_GE(m.box->width(),
            QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(QStringLiteral("VarnexPro")) + 160);
  m.box->hide();
}

// A refusal quotes what the user typed or pasted, which may be one long run without blanks: the
// box wraps it and stays inside a main window of 810 x 595 pixels, with every character shown.
TEST(QtMessages, ALongQuotedValueWrapsAndTheBoxStaysInsideTheMainWindow) {
  QWidget finestra;
  finestra.setGeometry(40, 30, 810, 595);
  finestra.show();
  finestra.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&finestra));
  const std::string valore(150, '9');
  const std::string testo = "\"" + valore + "\" non e' un numero valido per la lunghezza.\r\nIl valore non e' stato cambiato.";
  MessaggioQt m = CostruisciMessaggio(testo, Bottoni::OK, Icona::Esclamazione, "");
  m.box->show();
  QApplication::processEvents();
  EXPECT_TRUE(finestra.frameGeometry().contains(m.box->frameGeometry()))
      << m.box->frameGeometry().x() << "," << m.box->frameGeometry().y() << " " << m.box->frameGeometry().width() << "x"
      << m.box->frameGeometry().height();
  QString mostrato = m.box->text();
  mostrato.remove(QChar(0x200B));
  EXPECT_EQ(mostrato, QS(Replace(testo, "\r\n", "\n")));
  m.box->hide();
}

// While no window is active (a project loaded at start-up, before the window system activates
// the main window) a message still opens over the main window, not in the middle of the screen.
TEST(QtMessages, WithNoActiveWindowAMessageOpensOverTheMainWindow) {
  QMainWindow principale;
  principale.setGeometry(40, 30, 810, 595);
  principale.show();
  // The window that had the keyboard goes; nothing is active until the window system says so.
  QWidget altra;
  altra.show();
  altra.activateWindow();
  QApplication::processEvents();
  altra.hide();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), nullptr);
  MessaggioQt m = CostruisciMessaggio("Diametri interni non validi: calcolo non eseguito.", Bottoni::OK,
                                      Icona::Esclamazione, "");
  EXPECT_EQ(m.box->parentWidget(), &principale);
  m.box->show();
  QApplication::processEvents();
  EXPECT_TRUE(principale.frameGeometry().contains(m.box->frameGeometry()));
  m.box->hide();
}

TEST(QtMessages, AnswerOfTheButtonClickedAndOfTheCloseBox) {
  QtInterazione interazione;
  FakeDialoghi utente;
  utente.Attendi("QMessageBox", FakeDialoghi::Clicca(QStringLiteral("No")));
  EXPECT_EQ(interazione.Messaggio("Salvare?", Bottoni::SiNoAnnulla, Icona::Domanda, ""), Risposta::No);
  utente.Attendi("QMessageBox", FakeDialoghi::Clicca(QString::fromUtf8("Sì")));
  EXPECT_EQ(interazione.Messaggio("Salvare?", Bottoni::SiNoAnnulla, Icona::Domanda, ""), Risposta::Si);
  utente.Attendi("QMessageBox", FakeDialoghi::ChiudiFinestra());
  EXPECT_EQ(interazione.Messaggio("Salvare?", Bottoni::SiNoAnnulla, Icona::Domanda, ""), Risposta::Annulla);
  utente.Attendi("QMessageBox", FakeDialoghi::ChiudiFinestra());
  EXPECT_EQ(interazione.Messaggio("Continuare?", Bottoni::SiNo, Icona::Domanda, ""), Risposta::No);
  utente.Attendi("QMessageBox", FakeDialoghi::ChiudiFinestra());
  EXPECT_EQ(interazione.Messaggio("Fatto", Bottoni::OK, Icona::Nessuna, ""), Risposta::OK);
  utente.Attendi("QMessageBox", FakeDialoghi::Clicca(QStringLiteral("Riprova")));
  EXPECT_EQ(interazione.Messaggio("Errore", Bottoni::RiprovaAnnulla, Icona::Critico, ""), Risposta::Riprova);
  EXPECT_EQ(utente.visti.size(), 6u);
}

TEST(QtMessages, BusyCursorNestsThroughTheCore) {
  QtInterazione interazione;
  ImpostaInterazione(&interazione);
  const test::AllaFine togli([] { ImpostaInterazione(nullptr); });
  {
    CursoreOccupato esterno;
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    {
      CursoreOccupato interno;
    }
    EXPECT_NE(QApplication::overrideCursor(), nullptr) << "the outer section still runs";
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtMessages, ProgressTextsReachTheStatusLine) {
  QtInterazione interazione;
  std::vector<std::string> visti;
  ImpostaLineaStato([&](const std::string& t) { visti.push_back(t); });
  interazione.Stato("Caricamento tubazione: Rame");
  ImpostaLineaStato({});
  interazione.Stato("perso");
  EXPECT_EQ(visti, std::vector<std::string>{"Caricamento tubazione: Rame"});
}

// ---- File dialog filters, twips, colours -----------------------------------------------------

TEST(FileDialogFilters, SystemFormToQtForm) {
  struct Caso {
    const char* sistema;
    const char* qt;
  };
  const Caso casi[] = {
      {"Impianti (*.RTG)|*.RTG", "Impianti (*.RTG *.rtg)"},
      {"Bitmap (*.bmp)|*.bmp|Tutti i file (*.*)|*.*", "Bitmap (*.bmp *.BMP);;Tutti i file (*.*)"},
      {"Testo|*.txt;*.TAB", "Testo (*.txt *.TXT *.TAB *.tab)"},
      {"*.htm", "*.htm *.HTM"},
  };
  for (const auto& c : casi) EXPECT_EQ(FiltroQt(c.sistema).toStdString(), c.qt) << c.sistema;
}

TEST(Units, TwipsAndPixels) {
  EXPECT_EQ(Pixel(15), 1);
  EXPECT_EQ(Pixel(6900), 460);
  EXPECT_EQ(Pixel(5130), 342);
  EXPECT_EQ(Pixel(22), 1);
  EXPECT_EQ(Pixel(23), 2);
  EXPECT_EQ(Pixel(-30), -2);
  EXPECT_EQ(Twips(460), 6900);
  EXPECT_EQ(DimensioneTwips(3510, 1005), QSize(234, 67));
  EXPECT_EQ(RettangoloTwips(1440, 0, 1440, 720), QRect(96, 0, 96, 48));
}

TEST(Units, ColoursAreBlueGreenRed) {
  EXPECT_EQ(ColoreVB(0xFF0000), QColor(0, 0, 255));
  EXPECT_EQ(ColoreVB(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(ColoreVB(0x00FF00), QColor(0, 255, 0));
  EXPECT_EQ(ColoreVB(0x123456), QColor(0x56, 0x34, 0x12));
  EXPECT_EQ(ValoreVB(QColor(0x56, 0x34, 0x12)), 0x123456);
  EXPECT_EQ(ValoreVB(Qt::white), 0xFFFFFF);
  EXPECT_EQ(ValoreVB(Qt::black), 0);
}

TEST(Units, CentringFollowsTheScreen) {
  QWidget w;
  w.resize(200, 100);
  CentraSulloSchermo(w);
  const QRect s = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(w.pos(), QPoint(s.left() + (s.width() - 200) / 2, s.top() + (s.height() - 100) / 2));
  EXPECT_GT(LarghezzaAreaLavoro(), 0);
  EXPECT_EQ(LarghezzaAreaLavoro() % TwipsPerPixel, 0);
}

// ---- Window registry ---------------------------------------------------------------------------

TEST(WindowRegistry, LoadOrderTagsAndForgetting) {
  auto& registro = RegistroFinestre::Istanza();
  auto* a = new QWidget;
  auto* b = new QWidget;
  auto* c = new QWidget;
  registro.Registra(a, QStringLiteral("X"));
  registro.Registra(b);
  registro.Registra(c, QStringLiteral("x"));
  registro.Registra(a);
  QList<QWidget*> nostre;
  for (QWidget* w : registro.Finestre())
    if (w == a || w == b || w == c) nostre.append(w);
  EXPECT_EQ(nostre, (QList<QWidget*>{a, b, c}));
  EXPECT_EQ(RegistroFinestre::Tag(a), QStringLiteral("X"));
  delete b;
  EXPECT_FALSE(registro.Contiene(b));
  EXPECT_TRUE(registro.Contiene(c));

  // While the main window is minimised: windows tagged "X" (any case) and minimised ones stay.
  auto* d = new QWidget;
  auto* e = new QWidget;
  registro.Registra(d);
  registro.Registra(e);
  for (QWidget* w : {a, c, d, e}) w->show();
  e->showMinimized();
  QApplication::processEvents();
  registro.NascondiSecondarie();
  EXPECT_TRUE(a->isVisible());
  EXPECT_TRUE(c->isVisible());
  EXPECT_FALSE(d->isVisible());
  EXPECT_TRUE(e->isVisible());

  d->setAttribute(Qt::WA_DeleteOnClose);
  QPointer<QWidget> guardia(d);
  registro.ScaricaTutte();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(guardia.isNull()) << "a window made to be destroyed on close is gone";
  EXPECT_FALSE(a->isVisible());
  delete a;
  delete c;
  delete e;
}

// ---- Desktop and process fakes stand in for the real ones --------------------------------------

// A timer of interval 0 is due at every pass of the event loop: what reaches its handler shows,
// without waiting on the clock, whether real time gets through.
TEST(ProgramTimers, HeldRealTimeGivesNoTickButScattaDoes) {
  QObject proprietario;
  QTimer* timer = NuovoTimer(&proprietario, QStringLiteral("TimerProva"), 0);
  EXPECT_EQ(timer->objectName(), QStringLiteral("TimerProva"));
  EXPECT_EQ(timer->parent(), &proprietario);
  int scatti = 0;
  QObject::connect(timer, &QTimer::timeout, [&] { ++scatti; });
  timer->start();
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(scatti, 0) << "the window tests hold real time";
  Scatta(*timer);
  EXPECT_EQ(scatti, 1);
  TrattieniTempoReale(false);
  for (int i = 0; i < 5 && scatti == 1; ++i) QCoreApplication::processEvents();
  TrattieniTempoReale(true);
  EXPECT_GT(scatti, 1) << "released, the clock ticks it";
  timer->stop();
  Scatta(*timer);
  const int fermo = scatti;
  Scatta(*timer);
  EXPECT_EQ(scatti, fermo) << "a stopped timer gives no tick";
}

TEST(DesktopLauncher, OpensThroughTheInstalledService) {
  test::FakeDesktop desktop;
  EXPECT_TRUE(Desktop().Apri("/programma/Varnex4.htm"));
  EXPECT_EQ(desktop.aperti, std::vector<std::string>{"/programma/Varnex4.htm"});
  test::FakeProcesso processo;
  Processo().Termina(0);
  EXPECT_EQ(processo.codici, std::vector<int>{0});
}

TEST(DesktopLauncher, NothingInstalledOpensNothing) { EXPECT_FALSE(Desktop().Apri("/tmp/x.htm")); }

}  // namespace

// A window the program centres opens over the main window the user has made smaller than the
// screen (the segment dialog, the start window and the parameters opened half outside it), and
// never past the screen's edge.
TEST(PosizioneFinestre, AlCentroDellaFinestraPrincipaleEDentroLoSchermo) {
  QScreen* schermo = QGuiApplication::primaryScreen();
  ASSERT_NE(schermo, nullptr);
  const QRect area = schermo->availableGeometry();
  QMainWindow principale;
  principale.setGeometry(area.left() + 40, area.top() + 30, 300, 200);
  principale.show();
  QApplication::processEvents();
  QDialog d;
  d.resize(120, 80);
  CentraSulloSchermo(d);
  const QRect p = principale.frameGeometry(), f = d.frameGeometry();
  EXPECT_LE(std::abs(f.center().x() - p.center().x()), 1);
  EXPECT_LE(std::abs(f.center().y() - p.center().y()), 1);
  // A main window against the screen's right and bottom edges: the window stays whole on screen.
  principale.move(area.right() - 150, area.bottom() - 60);
  QApplication::processEvents();
  CentraSulloSchermo(d);
  EXPECT_TRUE(area.contains(d.frameGeometry())) << d.frameGeometry().x() << "," << d.frameGeometry().y();
  // No main window on screen: the middle of the screen.
  principale.hide();
  CentraSulloSchermo(d);
  EXPECT_LE(std::abs(d.frameGeometry().center().x() - schermo->geometry().center().x()), 1);
}


// Every dialog belongs to a window that outlives it: the window the user works in, never one that
// is unloaded by itself (the wait window), the main window in its place.
TEST(ProprietarioDialoghi, LaFinestraAttivaMaiUnaCheSiScarica) {
  QMainWindow principale;
  principale.show();
  QDialog lavoro(&principale);  // a window of the program the user works in (the print window)
  lavoro.show();
  lavoro.activateWindow();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), &lavoro);
  EXPECT_EQ(ProprietarioDialoghi(), &lavoro);

  QDialog attesa;  // unloaded by itself, as the wait window
  NonProprietaria(&attesa);
  attesa.show();
  attesa.activateWindow();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), &attesa);
  EXPECT_EQ(ProprietarioDialoghi(), &principale);

  // A dialog made over it anyway goes to the owner before it is shown.
  struct Dialoghi : IDialoghi {
    QWidget* genitore = nullptr;
    int Esegui(QDialog& d) override {
      genitore = d.parentWidget();
      return QDialog::Rejected;
    }
  } dialoghi;
  ImpostaDialoghi(&dialoghi);
  const test::AllaFine togli([] { ImpostaDialoghi(nullptr); });
  QDialog sopra(&attesa);
  MostraModale(sopra);
  EXPECT_EQ(dialoghi.genitore, &principale);
  EXPECT_TRUE(sopra.isWindow());
}

}  // namespace varnex::ui
