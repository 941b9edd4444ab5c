// The editor window closed with its tightness page built and on screen, as the user closes it: a
// new project (F5) and another project opened, in the real program started on the shipped example.
// The page and the schema watch the editor's widgets and hold the editor, so they must let go of it
// before any of its widgets goes: under the sanitizers one that outlives the editor reports the
// read of a destroyed window.
#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <functional>

#include <gtest/gtest.h>

#include "editor/ui/gasgrid.h"
#include "model/rete.h"
#include "schema/ui/schema_canvas.h"
#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "support/temp_folder.h"
#include "support/ui/fake_services.h"
#include "support/ui/programma_prova.h"
#include "tightness/pagina_tenuta.h"
#include "tightness/ui/pagina_tenuta_qt.h"

namespace varnex::test {
namespace {

// The editor in force, on its tightness page, on screen and scrolled by the wheel once, so that
// the page's show-time measure and its wheel handling have both run.
ui::GasGrid& PaginaTenutaInVista() {
  ui::GasGrid* editor = ui::GasGridCaricato();
  EXPECT_NE(editor, nullptr);
  editor->SelezionaPagina(2);
  QCoreApplication::processEvents();
  EXPECT_TRUE(editor->pagTenuta->isVisible());
  const QPointF centro(editor->picInner->width() / 2.0, 10);
  QWheelEvent rotella(centro, editor->picInner->mapToGlobal(centro), {}, QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(editor->picInner, &rotella);
  EXPECT_GT(editor->VScroll->value(), 0) << "the wheel did not reach the page";
  return *editor;
}

// Closes the editor through `chiudi` and checks that its page went first: when the first of the
// widgets the page watches is destroyed, the page no longer exists.
void ChiudeConLaPaginaPrima(const char* azione, const std::function<void()>& chiudi) {
  SCOPED_TRACE(azione);
  ui::GasGrid& editor = PaginaTenutaInVista();
  QPointer<QObject> pagina = dynamic_cast<ui::PaginaTenutaQt*>(PaginaTenutaInstallata());
  ASSERT_NE(pagina.data(), nullptr);
  QPointer<ui::GasGrid> vecchio = &editor;
  bool paginaVivaAllaChiusura = false;
  int osservati = 0;
  for (QObject* w : {static_cast<QObject*>(editor.pagTenuta), static_cast<QObject*>(editor.picInner),
                     static_cast<QObject*>(editor.VScroll)})
    QObject::connect(w, &QObject::destroyed, [&] {
      ++osservati;
      if (pagina) paginaVivaAllaChiusura = true;
    });
  // The schema watches the editor's canvas too: it lets go of it as soon as the editor closes.
  ui::CanvasSchema* schema = ui::SchemaInstallato();
  ASSERT_NE(schema, nullptr);
  const QPointF punto(10, 10);
  EXPECT_NE(schema->InUnita(punto), punto) << "the schema does not draw on this editor";
  bool schemaSganciato = false;
  QObject::connect(editor.Tabbed1, &QObject::destroyed, [&] { schemaSganciato = schema->InUnita(punto) == punto; });
  chiudi();
  QCoreApplication::processEvents();
  EXPECT_TRUE(schemaSganciato) << "the schema still used the closing editor";
  EXPECT_TRUE(vecchio.isNull()) << "the editor was not closed";
  EXPECT_EQ(osservati, 3);
  EXPECT_FALSE(paginaVivaAllaChiusura) << "the tightness page outlived a widget of its editor";
  // The editor in force has a page of its own, in the core too.
  ui::GasGrid* nuovo = ui::GasGridCaricato();
  ASSERT_NE(nuovo, nullptr);
  auto* installata = dynamic_cast<ui::PaginaTenutaQt*>(PaginaTenutaInstallata());
  ASSERT_NE(installata, nullptr);
  EXPECT_TRUE(nuovo->picInner->isAncestorOf(installata->btnRicalcola));
}

TEST(ChiusuraEditor, NuovoProgettoEApriProgettoChiudonoLEditorConLaPaginaDiTenutaInVista) {
  TempFolder cartella;
  cartella.UsaComeCartellaProgramma();
  cartella.CopiaDatiDistribuiti();
  TempFolder impostazioni;
  const std::string esempio = cartella.File("Archivio Lavori/Villetta.RTG");
  {
    ProgrammaDiProva programma(impostazioni, "VarnexProChiusura");
    FakeDialoghi& dialoghi = programma.dialoghi;
    ui::InstallaSottosistemi();
    ASSERT_EQ(programma.sequenza.Esegui("\"" + esempio + "\""), EsitoAvvio::Avviato);
    QCoreApplication::processEvents();
    ui::frmMainForm* principale = ui::FinestraPrincipaleCaricata();
    ASSERT_NE(principale, nullptr);

    // Nothing the user entered changed, in the example or in the new project: neither asks to be
    // saved when it closes.
    // The new project: an internal installation, its parameters as proposed.
    dialoghi.Attendi("frmAttivita", [](QDialog& d) {
      auto* nuovo = d.findChild<QPushButton*>(QStringLiteral("cmdNewGAS"));
      ASSERT_NE(nuovo, nullptr);
      nuovo->click();
    });
    dialoghi.Attendi("Parametri", FakeDialoghi::Clicca(QStringLiteral("OK")));
    ChiudeConLaPaginaPrima("new project", [&] { principale->NuovoMnu_Click(); });

    FakeFileDialoghi file;
    file.Rispondi(esempio);
    ChiudeConLaPaginaPrima("another project opened", [&] { principale->ApriMnu_Click(); });
    EXPECT_EQ(principale->windowTitle().toStdString(), "VarnexPro - " + esempio);
  }
  ui::ImpostaCostruttorePaginaTenuta(nullptr);
  ResetRete();
}

}  // namespace
}  // namespace varnex::test
