#include "shell/sw_company.h"

#include "model/files.h"
#include "model/helpers.h"
#include "model/interaction.h"
#include "model/textfile.h"

namespace varnex {

int16_t SwCompanyPresente = 0;
std::string SwCompanyNome;
std::string SwCompanyIndirizzo;
std::string SwCompanyTelefono;
std::string SwCompanyWeb;

const DettagliFornitore& DettagliPredefiniti() {
  static const DettagliFornitore dettagli{
      "VarnexPro",
      "Calcolo e verifica di impianti e reti gas",
      "Assistenza: consultare il manuale del programma",
      "Manuale: Varnex4.htm nella cartella del programma",
      "Posta elettronica: non configurata",
  };
  return dettagli;
}


void LoadSwCompany() {
  std::string percorso = FileProgramma("SWCOMPANY.CFG");
  if (!EsisteFile(percorso)) {
    SwCompanyPresente = 0;
    const auto& d = DettagliPredefiniti();
    SwCompanyNome = d.nome;
    SwCompanyIndirizzo = d.indirizzo;
    SwCompanyTelefono = d.telefono;
    SwCompanyWeb = d.web;
    return;
  }
  TextReader file;
  if (!file.Open(percorso)) {
    MsgBox("Impossibile leggere il file " + percorso);
    return;
  }
  SwCompanyPresente = -1;
  SwCompanyNome = ReadDataLineRaw(file);
  SwCompanyIndirizzo = ReadDataLineRaw(file);
  SwCompanyTelefono = ReadDataLineRaw(file);
  SwCompanyWeb = ReadDataLineRaw(file);
}

}  // namespace varnex
