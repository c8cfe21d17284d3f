// Project files: any bytes are opened (patterns and models are not loaded)
// and, when accepted, written back.

#include "document/zelmora_doc.h"
#include "fuzz_input.h"
#include "formats/archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = InputAsFile(data, size, "project.zel");
    CZelmoraDoc doc;
    std::string error;
    if (!doc.OpenProject(path, &error, false))
        return 0;
    CArchive storing;
    storing.SetFilePath(path);
    doc.Serialize(storing);
    return 0;
}
