// Printer helpers of the platform side.
#pragma once

#include <string>

class QPrinter;
class QWidget;

namespace varnex::ui {

// The printer that writes a PDF file: always offered beside the system's printers, and the
// current printer when the system has none.
inline constexpr const char* NomeStampantePdf = "Stampante PDF";
inline constexpr const char* PortaStampantePdf = "File PDF";

// True when the current printer can print: the PDF printer always can, a system printer when one
// is installed.
bool IsStampanteInstallata();

// True when the system has a printer of its own (without one the PDF printer is the default).
bool StampanteDiSistema();

// The menu's printer setup: the system's print-setup dialog on the current printer, so that the
// printer, paper and orientation chosen there are the ones the next print uses; the print dialog,
// when open, shows the new choice. The PDF file itself is asked by the print command.
void ImpostaStampanteCorrente(QWidget* parent);

// Makes `printer` the PDF printer (no file chosen yet; the paper it had stays).
void ImpostaStampantePdf(QPrinter& printer);
// Forgets the file the PDF printer `printer` writes; it stays the PDF printer, on the same paper.
void DimenticaFilePdf(QPrinter& printer);
bool IsStampantePdf(const QPrinter& printer);

// The file the PDF printer writes in one print command. When the current printer is the PDF
// printer and has no file yet, asks where to write it (the project's name proposed, ".pdf" added)
// and forgets it when the command ends, so that the next command asks again. The command's
// `copie` copies of the ticked sections write the chosen file and, for every further document
// (the landscape diagram, later copies), one beside it with "-2", "-3"...: any of them that
// exists is replaced only when the user agrees. With any other printer it does nothing.
class FilePdfDelComando {
 public:
  explicit FilePdfDelComando(int copie = 1);
  // The end of the command's message: the PDF files written, one to a line after "File scritti:";
  // "" when none was.
  std::string ElencoFileScritti() const;
  ~FilePdfDelComando();
  FilePdfDelComando(const FilePdfDelComando&) = delete;
  FilePdfDelComando& operator=(const FilePdfDelComando&) = delete;
  // False when the user cancelled the choice: nothing is to be printed.
  bool Pronto() const { return pronto_; }

 private:
  bool pronto_ = true;
  bool scelto_ = false;
};

}  // namespace varnex::ui
