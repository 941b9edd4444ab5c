// The page proportions dialog "Proporzioni pagina": the share of the printable width and height
// the printed report uses, 80 to 120 percent each.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdint>

namespace varnex::ui {

// The number a text begins with (blanks skipped, read up to the first character that cannot
// continue it), rounded to a whole number with halves to the even neighbour; 0 without a number.
int16_t ValorePercentuale(const QString& testo);
// The value under the mask "###" followed by "%".
QString TestoPercentuale(int32_t valore);

class frmPagina : public QDialog {
  Q_OBJECT
 public:
  explicit frmPagina(QWidget* parent = nullptr);

  void cmdMinusW_Click();
  void cmdPlusW_Click();
  void cmdMinusH_Click();
  void cmdPlusH_Click();
  void txtW_LostFocus();
  void txtH_LostFocus();
  void Command1_Click();
  void Command2_Click();

  QFrame* picFull = nullptr;
  QFrame* picPage = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* cmdMinusW = nullptr;
  QLineEdit* txtW = nullptr;
  QPushButton* cmdPlusW = nullptr;
  QLabel* Label2 = nullptr;
  QPushButton* cmdMinusH = nullptr;
  QLineEdit* txtH = nullptr;
  QPushButton* cmdPlusH = nullptr;
  QPlainTextEdit* Text1 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void Form_Load();
  void DrawPagePreview();
  void Passo(QLineEdit* box, int delta);
  void Lascia(QLineEdit* box);
  // True when the key typed into a box is dropped.
  bool Filtra(QLineEdit* box, const QKeyEvent& e) const;
  float fattoreLarghezza_ = 1;
  float fattoreAltezza_ = 1;
};

}  // namespace varnex::ui
