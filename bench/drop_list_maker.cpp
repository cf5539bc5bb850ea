// Not a bench of its own: gives a safe without a password a drop file that lists
// COUNT files (none of which exists), for bench/program_bench.sh to open the drop
// window over. The file is written by the program's own writer.
//   drop_list_maker SAFE COUNT
#include "crypto/cryptlib.h"
#include "model/droplist_records.h"
#include "store/drop_file.h"
#include "store/safe_lifecycle.h"
#include "store/safe_reader.h"
#include "store/safe_state.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: drop_list_maker SAFE COUNT\n");
        return 2;
    }
    cryptInit();
    if (SW_OpenSafe(argv[1]) != 0 || SW_ReadSafeHeader() != 0 || TmpSafeHeader.nPasswort != 0) {
        fprintf(stderr, "drop_list_maker: %s is no safe without a password\n", argv[1]);
        return 1;
    }
    SW_CopyTemp2Act();
    const long count = strtol(argv[2], nullptr, 10);
    for (long i = 0; i < count; ++i) {
        DROPLIST *d = DW_AppendDropRecord("DW_M_00");
        if (!d)
            return 1;
        // Names in no order, as drops over months would leave them.
        snprintf(d->filename, sizeof d->filename, "C:\\Users\\bench\\Documents\\project %03ld\\report %05ld.doc",
                 (i * 7919) % 997, (i * 104729) % 100000);
        d->index = DropCounts.nDropCount;
        d->kz = KZ_FILE;
        d->dwAttribute = 0x20;
        DW_CountDropRecord(d);
    }
    const int rc = SW_WriteDropList(&ActSafeHeader);
    (void)SW_CloseSafe(0);
    DW_FreeDroptabelle();
    cryptEnd();
    return rc == 0 ? 0 : 1;
}
