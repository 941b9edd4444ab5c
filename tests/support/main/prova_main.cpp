// Test main of the core's test programs: every test leaves the process as it found it.
#include "support/stato_processo.h"

int main(int argc, char** argv) { return varnex::test::EseguiProve(argc, argv, varnex::test::StatoCore()); }
