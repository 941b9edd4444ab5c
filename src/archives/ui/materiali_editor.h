// The pipe-series editor "Gestione tubazioni" (GestMateriali), modal. Its logic is
// EditorMateriali; the grid shows the editor's texts, data row i and column c as Grid row i - 1
// and column c - 1 (the titles and the row numbers are the grid's headers).
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "archives/editor_materiali.h"
#include "shell/ui/services.h"

namespace varnex::ui {

class GestMateriali : public Dialogo {
  Q_OBJECT
 public:
  explicit GestMateriali(QWidget* parent = nullptr);

  void InizializzaGriglia();
  // Columns 1 to 5 share the grid's width.
  void AdattaColonne();
  // The list refilled from the archive (plus a new series still pending), the series shown selected.
  void CaricaListaSerie();
  // The editor's working copy into the controls.
  void MostraSerie();
  void ApriCella(const QString& tasto, bool conTestoCella);
  void ChiudiCella();
  void CommitCella();

  void cmbMateriali_Click();
  void CmdNuovo_Click();
  void CmdSalva_Click();
  void cmdCancella_Click();
  void CmdEsci_Click();
  void Text1_LostFocus();

  EditorMateriali editor;

  QComboBox* cmbMateriali;
  QLineEdit* Text2;
  QLineEdit* Text1;
  QRadioButton* Option3D1;
  QRadioButton* Option3D2;
  QRadioButton* Option3D3;
  QTableWidget* Grid;
  QLineEdit* txtEdit;
  QPushButton* CmdNuovo;
  QPushButton* CmdSalva;
  QPushButton* cmdCancella;
  QPushButton* CmdEsci;

 protected:
  bool eventFilter(QObject* oggetto, QEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;
  void showEvent(QShowEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  void Posiziona();
  void Dopo();  // the controls brought back in line with the editor after a save or a load
  bool mostrando_ = false;
  bool chiudendo_ = false;
};

void MostraGestMateriali(QWidget* parent);

}  // namespace varnex::ui
