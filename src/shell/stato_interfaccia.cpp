#include "shell/stato_interfaccia.h"

#include "model/files.h"
#include "model/helpers.h"
#include "model/strings.h"
#include "model/textfile.h"

namespace varnex {

int16_t RicalcoloAutomatico = 0;
int16_t CursoreBloccato = 0;
int16_t StatoBloccoDiametri = -1;
int16_t GrigliaNonCaricata = -1;
int16_t GasEditorDaMain = -1;

std::string DittaRiga1;
std::string DittaRiga2;
std::string DittaAgente;

void CaricaDatiDitta() {
  DittaRiga1.clear();
  DittaRiga2.clear();
  DittaAgente.clear();
  const std::string percorso = FileProgramma("DITTA.CFG");
  if (!EsisteFile(percorso)) return;
  TextReader file;
  if (!file.Open(percorso)) return;
  std::string* righe[] = {&DittaRiga1, &DittaRiga2, &DittaAgente};
  for (std::string* riga : righe) {
    if (file.Eof()) break;
    *riga = Trim(ReadDataLineRaw(file));  // a firm's address keeps its commas
  }
}

}  // namespace varnex
