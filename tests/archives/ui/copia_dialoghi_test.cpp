// The copy windows under offscreen: the folder fields and their pickers, the checks of "Copia",
// the overwrite question and the rename prompt driving a real copy run.
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "archives/ui/copia_dialoghi.h"
#include "model/files.h"
#include "shell/ambiente_prova.h"
#include "support/ui/fake_services.h"

namespace varnex::test {
namespace {

namespace fs = std::filesystem;

class FinestreCopia : public ProgrammaProva {
 protected:
  FakeDialoghi dialoghi;
  FakeFileDialoghi fileDialoghi;
  TempFolder origine, destinazione;
};

TEST_F(FinestreCopia, CartelleDaPickerEControlliDiCopia) {
  ui::frmCopyArchieves d;
  EXPECT_EQ(d.windowTitle(), "Copia Archivi");
  EXPECT_EQ(d.txtCopyTo->text(), QString::fromStdString(CartellaProgramma() + "/"));
  EXPECT_TRUE(d.txtCopyFrom->text().isEmpty());
  fileDialoghi.Rispondi("/altro/cartella/GAS.CFG");
  d.cmdOpenCopyFromDlg->click();
  EXPECT_EQ(d.txtCopyFrom->text(), "/altro/cartella/");
  ASSERT_EQ(fileDialoghi.richieste.size(), 1u);
  EXPECT_EQ(fileDialoghi.richieste[0].titolo, "Copia archivi da:");
  EXPECT_EQ(fileDialoghi.richieste[0].filtro, "File Archivio (*.CFG; *.MAT)|*.CFG;*.MAT");
  EXPECT_EQ(fileDialoghi.richieste[0].cartella, CartellaProgramma() + "/");
  fileDialoghi.Rispondi(std::nullopt);  // cancelled: the field stays
  d.cmdOpenCopyToDlg->click();
  EXPECT_EQ(fileDialoghi.richieste[1].titolo, "Copia archivi in:");
  EXPECT_EQ(d.txtCopyTo->text(), QString::fromStdString(CartellaProgramma() + "/"));
  // Both empty: the two-line message once; then each field alone.
  d.txtCopyFrom->clear();
  d.txtCopyTo->clear();
  utente.Attendi("Inserire un valore sia per la directory\r\ndi provenienza che per quella di destinazione.");
  d.cmdCopy->click();
  d.txtCopyTo->setText("/x/");
  utente.Attendi("Inserire un valore per la directory di provenienza.");
  d.cmdCopy->click();
  d.txtCopyFrom->setText("/y/");
  d.txtCopyTo->clear();
  utente.Attendi("Inserire un valore per la directory di destinazione.");
  d.cmdCopy->click();
  EXPECT_EQ(utente.messaggi.size(), 3u);
  EXPECT_EQ(d.result(), QDialog::Rejected);  // the window never closed for a copy
}

TEST_F(FinestreCopia, RinominaEPoiCopiaDalMenu) {
  for (const char* f : {"ACCIAIOL.MAT", "EQLEN.CFG"}) origine.Write(f, std::string("nuovo ") + f);
  destinazione.Write("ACCIAIOL.MAT", "vecchio");
  dialoghi.Attendi("frmCopyArchieves", [&](QDialog& x) {
    auto& d = static_cast<ui::frmCopyArchieves&>(x);
    d.txtCopyFrom->setText(QString::fromStdString(origine.Path() + "/"));
    d.txtCopyTo->setText(QString::fromStdString(destinazione.Path() + "/"));
    d.cmdCopy->click();
  });
  dialoghi.Attendi("frmCopyArchievesMessage", [](QDialog& x) {
    auto& m = static_cast<ui::frmCopyArchievesMessage&>(x);
    EXPECT_EQ(m.windowTitle(), "Attenzione");
    EXPECT_TRUE(m.Label1->text().contains("ACCIAIOL.MAT"));
    EXPECT_TRUE(m.cmdRename->isEnabled());
    m.cmdRename->click();
  });
  // An empty name is refused and the prompt stays; "Annulla" after typing gives no name.
  dialoghi.Attendi("frmRenameFile", [&](QDialog& x) {
    auto& r = static_cast<ui::frmRenameFile&>(x);
    EXPECT_EQ(r.txtFileName->text(), "ACCIAIOL.MAT");
    r.txtFileName->clear();
    utente.Attendi("E' necessario inserire un nome per il file.");
    r.cmdRename->click();
    EXPECT_TRUE(r.isVisible());
    r.txtFileName->setText("ALTRO.MAT");
    r.cmdCancel->click();
    EXPECT_TRUE(r.filename.empty());
  });
  dialoghi.Attendi("frmCopyArchievesMessage", FakeDialoghi::Clicca("Rinomina"));
  dialoghi.Attendi("frmRenameFile", [&](QDialog& x) {
    auto& r = static_cast<ui::frmRenameFile&>(x);
    r.txtFileName->setText("../fuori.MAT");
    utente.Attendi(MsgNomeNonValido);
    r.cmdRename->click();
    EXPECT_TRUE(r.isVisible());
    r.txtFileName->setText("NUOVO.MAT");
    r.cmdRename->click();
    EXPECT_EQ(r.filename, "NUOVO.MAT");
    for (int i = 0; i < 8; ++i) utente.Attendi("non verrà copiato");
  });
  ui::MostraCopiaArchivi(nullptr);
  EXPECT_EQ(destinazione.Read("NUOVO.MAT"), "nuovo ACCIAIOL.MAT");
  EXPECT_EQ(destinazione.Read("ACCIAIOL.MAT"), "vecchio");
  EXPECT_EQ(destinazione.Read("EQLEN.CFG"), "nuovo EQLEN.CFG");
}

TEST_F(FinestreCopia, LaCrocettaDellaDomandaFermaLaCopia) {
  for (const char* f : {"ACCIAIOL.MAT", "ACCIAIOM.MAT"}) {
    origine.Write(f, "nuovo");
    destinazione.Write(f, "vecchio");
  }
  utente.PermettiTutti();
  dialoghi.Attendi("frmCopyArchieves", [&](QDialog& x) {
    auto& d = static_cast<ui::frmCopyArchieves&>(x);
    d.txtCopyFrom->setText(QString::fromStdString(origine.Path() + "/"));
    d.txtCopyTo->setText(QString::fromStdString(destinazione.Path() + "/"));
    d.cmdCopy->click();
  });
  dialoghi.Attendi("frmCopyArchievesMessage", FakeDialoghi::ChiudiFinestra());
  ui::MostraCopiaArchivi(nullptr);
  EXPECT_EQ(destinazione.Read("ACCIAIOM.MAT"), "vecchio");  // no second question: the run stopped
  EXPECT_TRUE(utente.messaggi.empty());
}

TEST_F(FinestreCopia, ProgettiDalMenuConCampoVuotoPoiPieno) {
  origine.Write("rete.RTG", "progetto");
  dialoghi.Attendi("frmCopyProjectFiles", [&](QDialog& x) {
    auto& d = static_cast<ui::frmCopyProjectFiles&>(x);
    EXPECT_EQ(d.windowTitle(), "Copia File di Progetto");
    EXPECT_TRUE(d.txtCopyFrom->text().isEmpty());
    utente.Attendi("Inserire un valore per la directory di provenienza.");
    d.cmdCopy->click();
    EXPECT_TRUE(d.isVisible());
    fileDialoghi.Rispondi(origine.Path() + "/rete.RTG");
    d.cmdOpenCopyFromDlg->click();
    EXPECT_EQ(fileDialoghi.richieste.back().filtro, "Reti Gas (*.RTG)|*.RTG");
    EXPECT_EQ(fileDialoghi.richieste.back().titolo, "Copia archivi da:");
    d.cmdCopy->click();
  });
  ui::MostraCopiaProgetti(nullptr);
  EXPECT_EQ(cartella.Read("Archivio Lavori/rete.RTG"), "progetto");
}

TEST_F(FinestreCopia, OrigineDiSoliSpaziPassaIlControllo) {
  for (int i = 0; i < 10; ++i) utente.Attendi("non verrà copiato");
  dialoghi.Attendi("frmCopyArchieves", [&](QDialog& x) {
    auto& d = static_cast<ui::frmCopyArchieves&>(x);
    d.txtCopyFrom->setText("   ");
    d.txtCopyTo->setText(QString::fromStdString(destinazione.Path() + "/"));
    d.cmdCopy->click();
  });
  ui::MostraCopiaArchivi(nullptr);
  EXPECT_NE(utente.messaggi[0].testo.find("ACCIAIOL.MAT"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(destinazione.Path()));
}

}  // namespace
}  // namespace varnex::test
