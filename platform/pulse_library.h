#pragma once
// libpulse, loaded when the sound server is first asked for, not with the
// program: it and what it brings (libsndfile and its codecs) are a dozen
// libraries and more than a megabyte a program that has not yet played
// anything does not need.
#include <pulse/pulseaudio.h>

#include "platform/loaded_library.h"

#define ORVANA_PULSE_FUNCTIONS(X)                                                                                    \
  X(pa_channel_map_init_extend) X(pa_context_connect) X(pa_context_disconnect) X(pa_context_errno)                    \
  X(pa_context_get_state) X(pa_context_get_tile_size) X(pa_context_new_with_proplist) X(pa_context_rttime_new)         \
  X(pa_context_rttime_restart) X(pa_context_set_sink_input_volume) X(pa_context_set_state_callback)                   \
  X(pa_context_unref) X(pa_cvolume_init) X(pa_operation_cancel) X(pa_operation_unref) X(pa_proplist_free)             \
  X(pa_proplist_new) X(pa_proplist_sets) X(pa_rtclock_now) X(pa_stream_begin_write) X(pa_stream_cancel_write)         \
  X(pa_stream_connect_playback) X(pa_stream_cork) X(pa_stream_disconnect) X(pa_stream_flush)                          \
  X(pa_stream_get_buffer_attr) X(pa_stream_get_index) X(pa_stream_get_state) X(pa_stream_get_timing_info)             \
  X(pa_stream_new_with_proplist) X(pa_stream_proplist_update) X(pa_stream_set_moved_callback)                         \
  X(pa_stream_set_started_callback) X(pa_stream_set_state_callback) X(pa_stream_set_suspended_callback)               \
  X(pa_stream_set_underflow_callback) X(pa_stream_set_write_callback) X(pa_stream_unref)                              \
  X(pa_stream_update_timing_info) X(pa_stream_write) X(pa_strerror) X(pa_sw_volume_from_linear)                       \
  X(pa_threaded_mainloop_free) X(pa_threaded_mainloop_get_api) X(pa_threaded_mainloop_lock)                           \
  X(pa_threaded_mainloop_new) X(pa_threaded_mainloop_set_name) X(pa_threaded_mainloop_signal)                         \
  X(pa_threaded_mainloop_start) X(pa_threaded_mainloop_stop) X(pa_threaded_mainloop_unlock)                           \
  X(pa_threaded_mainloop_wait) X(pa_timeval_age) X(pa_usec_to_bytes) X(pa_utf8_filter) X(pa_xfree)

namespace orvana::platform {

struct TPulseLibrary {
  bool loaded = false;
  ORVANA_PULSE_FUNCTIONS(ORVANA_LIBRARY_MEMBER)
};

// Loaded once per process, from whichever thread comes first; nothing but
// `loaded` may be used when it is false.
const TPulseLibrary& Pulse();

}  // namespace orvana::platform
