#include "report/print/sezioni.h"

#include "model/calcolo.h"
#include "model/files.h"
#include "model/globals.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "shell/progetto.h"

namespace varnex {

int16_t StampaCopertina = 0;
int16_t StampaTronchi = 0;
int16_t StampaDiagrammaRete = 0;
int16_t StampaPDCLocalizzate = 0;
int16_t StampaVerifica = 0;
int16_t StampaUtenze = 0;
int16_t StampaComputo = 0;
int16_t StampaTenutaImpianto = 0;
int16_t NumSezioniStampa = 0;
std::string DataStampa;

const std::string TestoTabellaComputo = "Tabella totale computo ";

int16_t& FlagSezione(SezioneReport sezione) {
  switch (sezione) {
    case SezioneReport::Copertina: return StampaCopertina;
    case SezioneReport::Tronchi: return StampaTronchi;
    case SezioneReport::PDCLocalizzate: return StampaPDCLocalizzate;
    case SezioneReport::Verifica: return StampaVerifica;
    case SezioneReport::Utenze: return StampaUtenze;
    case SezioneReport::Computo: return StampaComputo;
    case SezioneReport::TenutaImpianto: return StampaTenutaImpianto;
    case SezioneReport::DiagrammaRete: break;
  }
  return StampaDiagrammaRete;
}

int16_t PassoSezione(SezioneReport sezione) {
  for (size_t i = 0; i < OrdineSezioni.size(); ++i)
    if (OrdineSezioni[i] == sezione) return static_cast<int16_t>(i + 2);
  return 0;
}

void PercorriSezioni(const std::function<void(SezioneReport)>& prima,
                     const std::function<void(SezioneReport)>& scrivi) {
  for (SezioneReport s : OrdineSezioni) {
    prima(s);
    if (SezioneSelezionata(s)) scrivi(s);
  }
}

const std::string& TestoAvanzamento(SezioneReport sezione) {
  static const std::string testi[] = {"Frontespizio",
                                      "Tabella dati tronchi",
                                      "Tabella PDC localizzate",
                                      "Verifica percorso piu' sfavorito",
                                      "Riepilogo utenze",
                                      "Calcolo totale computo ",
                                      "Verifica Tenuta impianto",
                                      "DiagrammaRete"};
  return testi[static_cast<int>(sezione)];
}

bool SezioneTabellaSelezionata() {
  return StampaTronchi != 0 || StampaPDCLocalizzate != 0 || StampaVerifica != 0 || StampaUtenze != 0 ||
         StampaComputo != 0;
}

bool SezioneContenutoSelezionata() { return SezioneTabellaSelezionata() || StampaTenutaImpianto != 0; }

int16_t ContaSezioniSelezionate() {
  int16_t n = 0;
  for (SezioneReport s : OrdineSezioni)
    if (FlagSezione(s) != 0) ++n;
  return n;
}

void EscludiSezioniSenzaOggetto() {
  if (ReteInPressione == 0 || StampaTenutaImpianto == 0) return;
  StampaTenutaImpianto = 0;
  NumSezioniStampa = ContaSezioniSelezionate();
}

bool ReteCalcolataPerReport() {
  if (ContoTronchi() <= 0) return true;
  CalcolaRete();
  // The paths are judged against the editor's text of the maximum drop, which only an automatic
  // recalculation refreshes: with it off that text is still "0" or the value of another gas, and a
  // passing design would be stated as failing. The report is a recalculation: it brings the text
  // to the maximum drop in force, the one its cover prints.
  if (ReteInPressione == 0) PDCMaxTesto = TestoNumero(PDCMassima());
  // A calculation that ran reaches at least the first segment from the source.
  for (int16_t s = 1; s <= ContoTronchi(); ++s)
    if (Tronco(s).Collegato != 0) return true;
  // The tightness record needs no result of the network: it goes out on its own, with the reason
  // its unknown capacity gives; the sections that need results are left out and the user told.
  if (StampaTenutaImpianto != 0) {
    const bool altre = ContaSezioniSelezionate() > 1;
    for (SezioneReport s : OrdineSezioni)
      if (s != SezioneReport::TenutaImpianto) FlagSezione(s) = 0;
    NumSezioniStampa = ContaSezioniSelezionate();
    if (altre)
      MsgBox("Il calcolo della rete non e' stato eseguito: il report contiene solo la verifica di tenuta "
             "dell'impianto.\nCorreggere la rete e ripetere la stampa per le altre sezioni.",
             Bottoni::OK, Icona::Esclamazione);
    return true;
  }
  MsgBox("Il calcolo della rete non e' stato eseguito: il report non viene prodotto.\n"
         "Correggere la rete e ripetere la stampa.",
         Bottoni::OK, Icona::Esclamazione);
  return false;
}

void CalcolaReteSeServe() {
  if (StampaCopertina != 0 || SezioneTabellaSelezionata() || StampaDiagrammaRete != 0) CalcolaRete();
}

void AzzeraSezioni() {
  for (SezioneReport s : OrdineSezioni) FlagSezione(s) = 0;
  NumSezioniStampa = 0;
}

std::string CartellaNuovoReport() {
  return PercorsoProgetto.empty() ? GetUltimaCartella() : GetCartella(PercorsoProgetto);
}

std::string NomeNuovoReport() {
  const std::string nome = GetNomeSenzaEstensione(PercorsoProgetto);
  return nome.empty() ? "Relazione" : nome;
}

std::string DomandaSovrascrittura(const std::string& scelto, const std::vector<std::string>& esistenti) {
  if (esistenti.size() == 1 && GetNomeFile(esistenti[0]) == GetNomeFile(scelto))
    return "Un file con lo stesso nome è già presente nella cartella selezionata.\r\nSi desidera sovrascriverlo?";
  std::string nomi;
  for (const std::string& f : esistenti) nomi += "\r\n" + GetNomeFile(f);
  return (esistenti.size() == 1 ? "Il file seguente è già presente nella cartella selezionata:"
                                : "I file seguenti sono già presenti nella cartella selezionata:") +
         nomi + (esistenti.size() == 1 ? "\r\nSi desidera sovrascriverlo?" : "\r\nSi desidera sovrascriverli?");
}

}  // namespace varnex
