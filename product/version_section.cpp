// The Linux program has no resources; it carries its version block in a
// section of its own, where the emulated machine's version reader finds it.
#include "product_version.h"
#include "version_block.h"

__attribute__((section(".ptvver"), used)) const ptav6::VersionBlock kPtav6VersionBlock =
    ptav6::MakeVersionBlock(PTAV6_VERSION_MAJOR, PTAV6_VERSION_MINOR, PTAV6_VERSION_RELEASE,
                            PTAV6_VERSION_BETA);
