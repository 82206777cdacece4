#include "snd_internal.h"

std::unique_ptr<ModuleVoice> ModuleVoice::create(const SndModule& module, unsigned outputRate, bool loop) {
    xmp_context context = xmp_create_context();
    if (xmp_load_module_from_memory(context, module.bytes.data(), long(module.bytes.size())) != 0) {
        xmp_free_context(context);
        return nullptr;
    }
    if (xmp_start_player(context, int(outputRate), 0) != 0) {
        xmp_release_module(context);
        xmp_free_context(context);
        return nullptr;
    }
    return std::unique_ptr<ModuleVoice>(new ModuleVoice(context, outputRate, loop));
}

ModuleVoice::ModuleVoice(xmp_context context, unsigned outputRate, bool loop)
    : context(context), rate(outputRate), loop(loop) {}

ModuleVoice::~ModuleVoice() {
    xmp_end_player(context);
    xmp_release_module(context);
    xmp_free_context(context);
}

bool ModuleVoice::render(int32_t* mix, size_t frames, int gain) {
    scratch.resize(frames * 2);
    // The player counts plays of the song: 0 repeats it for ever, 1 ends after the first.
    if (xmp_play_buffer(context, scratch.data(), int(frames * 4), loop ? 0 : 1) != 0) return false;
    for (size_t i = 0; i < frames * 2; ++i) mix[i] += (int32_t(scratch[i]) * gain) >> 6;
    // A song that ended inside this buffer was padded with silence.
    xmp_frame_info info;
    xmp_get_frame_info(context, &info);
    return loop || info.loop_count == 0;
}

// Starting the player afresh also forgets how often the song has played.
void ModuleVoice::seek(int milliseconds) {
    xmp_end_player(context);
    xmp_start_player(context, int(rate), 0);
    if (milliseconds > 0) xmp_seek_time(context, milliseconds);
}
