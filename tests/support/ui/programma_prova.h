// The program's real start-up around a test: the services on a settings folder of the test's own,
// with the tips window off, a scripted user in front of messages and modal dialogs, the lifecycle,
// the single-instance lock and the start-up windows. The program folder is the caller's.
// Header-only, like the stand-ins it holds.
#pragma once

#include <QCoreApplication>
#include <QString>

#include <gtest/gtest.h>

#include "shell/settings.h"
#include "shell/startup.h"
#include "shell/ui/lifecycle.h"
#include "shell/ui/qt_services.h"
#include "shell/ui/startup.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"
#include "support/ui/fake_services.h"

namespace varnex::test {

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
