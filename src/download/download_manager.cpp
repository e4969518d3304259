#include "download/download_manager.h"

namespace lornette::downloadManager {

const char* const kDetailsButtonTitle = "<< 隐藏细节";

}  // namespace lornette::downloadManager
