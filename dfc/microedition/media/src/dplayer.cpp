#include "dplayer.h"
#include "dmediaexception.h"

namespace dfc::microedition::media {

int64_t DPlayer::setMediaTime(int) { DFC_THROW(DMediaException); }

}  // namespace dfc::microedition::media
