// The program's real start-up around a test: the services on a settings folder of the test's own,
// with the tips window off, a scripted user in front of messages and modal dialogs, the lifecycle,
// the single-instance lock and the start-up windows. The program folder is the caller's.
// Header-only, like the stand-ins it holds.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <string>

#include <gtest/gtest.h>

#include "model/gas.h"
#include "model/materiali.h"
#include "model/progetto_file.h"
#include "model/raccordi.h"
#include "model/rete.h"
#include "shell/settings.h"
#include "app/startup.h"
#include "app/ui/lifecycle.h"
#include "shell/ui/qt_services.h"
#include "app/ui/startup.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"
#include "support/ui/fake_services.h"

namespace varnex::test {

// A project of the shipped archives, written to `cartella` as `nome`: three segments, two
// appliances; an internal installation or a pressurised network. The program's state goes back to
// nothing afterwards, as before a start-up. The file's path.
inline std::string ScriviProgettoDiProva(const TempFolder& cartella, const std::string& nome, bool pressione = false,
                                         const std::string& riferimento = "Casa Bianchi") {
  InitGas();
  CaricaMateriali();
  InitSpeciali();
  ResetRete();
  ReteInPressione = pressione ? -1 : 0;
  GasCorrente = ArchivioGas[1];
  const int16_t a = AggiungiTronco(0);
  const int16_t b = AggiungiTronco(a);
  const int16_t c = AggiungiTronco(a);
  Tronco(a).ID_LEN = 6;
  Tronco(b).ID_LEN = 4;
  Tronco(c).ID_LEN = 9;
  Tronco(b).ID_P_UTENZE = 1.2f;
  Tronco(c).ID_P_UTENZE = 2.5f;
  Riferimento = riferimento;
  const std::string percorso = cartella.File(nome);
  EXPECT_TRUE(ScriviRTG(percorso));
  ResetRete();
  ReteInPressione = 0;
  NumGas = 0;
  ArchivioGas.resize(1);
  NumMateriali = 0;
  return percorso;
}

struct ProgrammaDiProva {
  // `nome` names the instance lock, which is kept apart from any other test's by the process id.
  ProgrammaDiProva(const TempFolder& impostazioni, const char* nome)
      : servizi(QString::fromStdString(impostazioni.Path())),
        tipsSpenti(SpegniTips()),
        istanza(QStringLiteral("%1-%2").arg(QString::fromLatin1(nome)).arg(QCoreApplication::applicationPid())),
        finestre(istanza),
        sequenza(finestre) {}

  static bool SpegniTips() {
    const bool scritto = SaveSetting("Varnex", "HintsShow", "false");
    EXPECT_TRUE(scritto) << "the tips window could not be turned off";
    return scritto;
  }

  ui::ServiziQt servizi;
  bool tipsSpenti;
  FakeInterazione utente;
  FakeDialoghi dialoghi;
  ui::CicloVitaQt cicloVita;
  ui::IstanzaUnica istanza;
  ui::FinestreAvvioQt finestre;
  SequenzaAvvio sequenza;
};

}  // namespace varnex::test
