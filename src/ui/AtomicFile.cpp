#include "ui/AtomicFile.h"

namespace kelo {

bool ReplaceWhole(const FileSteps& steps, std::string_view bytes) {
    const bool replaced = steps.writeTemporary(bytes) && steps.moveOver();
    if (!replaced) steps.removeTemporary();
    return replaced;
}

}  // namespace kelo
