// The setting of the window tests that write report files: settings in memory, a program folder
// with a red logo, a small calculated network in a project "casa.RTG" of an output folder, and the
// Qt windows of the runs installed. Header-only, as the other window-test support.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <string>

#include "model/calcolo_prova.h"
#include "model/colonne.h"
#include "model/rete.h"
#include "report/files/stampa_file.h"
#include "report/files/ui/stampa_file_qt.h"
#include "report/print/sezioni.h"
#include "shell/settings.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"
#include "support/ui/fake_services.h"

namespace varnex::test {

class ProvaStampaFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ImpostaImpostazioni(&store);
    programma.UsaComeCartellaProgramma();
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(QString::fromStdString(programma.File("logo.bmp")), "BMP"));
    PreparaCalcolo();
    ASSERT_TRUE(CaricaDefinizioneGriglie(std::string(VARNEX_SOURCE_DATA_DIR) + "/gridgas.cne"));
    AggiungiProva(0, 10);
    AggiungiProva(1, 5, 1.0f);
    AggiungiProva(1, 4, 2.0f);
    PercorsoProgetto = uscita.File("casa.RTG");
    Riferimento = "Villa";
    ui::InstallaStampaFile();
  }
  void TearDown() override {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ImpostaFinestreStampaFile(nullptr);
    ImpostaImpostazioni(nullptr);
    AzzeraSezioni();
    PercorsoProgetto.clear();
    Riferimento.clear();
    BloccoReti = {};
  }

  ImpostazioniInMemoria store;
  FakeInterazione utente;
  FakeFileDialoghi salva;
  TempFolder programma;
  TempFolder uscita;
};

}  // namespace varnex::test
