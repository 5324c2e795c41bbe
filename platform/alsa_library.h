#pragma once
// libasound, loaded when an ALSA device is first opened or listed, not with
// the program.
#include <alsa/asoundlib.h>

#include "platform/loaded_library.h"

#define ORVANA_ALSA_FUNCTIONS(X)                                                                                     \
  X(snd_card_next) X(snd_ctl_close) X(snd_ctl_open) X(snd_ctl_pcm_info) X(snd_ctl_pcm_next_device)                    \
  X(snd_lib_error_set_handler) X(snd_pcm_avail_update) X(snd_pcm_close) X(snd_pcm_delay) X(snd_pcm_drop)              \
  X(snd_pcm_hw_params) X(snd_pcm_hw_params_any) X(snd_pcm_hw_params_free) X(snd_pcm_hw_params_get_buffer_size)        \
  X(snd_pcm_hw_params_get_period_size) X(snd_pcm_hw_params_malloc) X(snd_pcm_hw_params_set_access)                    \
  X(snd_pcm_hw_params_set_buffer_time_near) X(snd_pcm_hw_params_set_channels) X(snd_pcm_hw_params_set_format)         \
  X(snd_pcm_hw_params_set_period_time_near) X(snd_pcm_hw_params_set_rate) X(snd_pcm_hw_params_set_rate_resample)      \
  X(snd_pcm_info_free) X(snd_pcm_info_malloc) X(snd_pcm_info_set_device) X(snd_pcm_info_set_stream)                   \
  X(snd_pcm_info_set_subdevice) X(snd_pcm_open) X(snd_pcm_prepare) X(snd_pcm_recover) X(snd_pcm_state)                \
  X(snd_pcm_sw_params) X(snd_pcm_sw_params_current) X(snd_pcm_sw_params_free) X(snd_pcm_sw_params_malloc)             \
  X(snd_pcm_sw_params_set_avail_min) X(snd_pcm_sw_params_set_start_threshold) X(snd_pcm_writei) X(snd_strerror)

namespace orvana::platform {

struct TAlsaLibrary {
  bool loaded = false;
  ORVANA_ALSA_FUNCTIONS(ORVANA_LIBRARY_MEMBER)
};

// Loaded once per process, from whichever thread comes first; nothing but
// `loaded` may be used when it is false.
const TAlsaLibrary& Alsa();

}  // namespace orvana::platform
