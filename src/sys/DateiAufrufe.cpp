#include "sys/DateiAufrufe.h"

DateiAufrufe& Aufrufe() {
    static DateiAufrufe aufrufe;
    return aufrufe;
}
