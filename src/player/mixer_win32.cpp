#include "player/mixer_win32.h"

namespace airvane {

bool WinmmMixer::openWaveOutVolume() {
    close();
    if (mixerGetNumDevs() == 0) return false;
    if (mixerOpen(&mixer_, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR) {
        mixer_ = nullptr;
        return false;
    }
    MIXERLINEA line{};
    line.cbStruct = sizeof line;
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT;
    MIXERCONTROLA control{};
    MIXERLINECONTROLSA controls{};
    controls.cbStruct = sizeof controls;
    controls.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    const auto handle = reinterpret_cast<HMIXEROBJ>(mixer_);
    if (mixerGetLineInfoA(handle, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
            MMSYSERR_NOERROR ||
        (controls.dwLineID = line.dwLineID,
         mixerGetLineControlsA(handle, &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
             MMSYSERR_NOERROR)) {
        close();
        return false;
    }
    controlId_ = control.dwControlID;
    return true;
}

bool WinmmMixer::details(bool set, DWORD& value) {
    if (!mixer_) return false;
    MIXERCONTROLDETAILS_UNSIGNED unsignedValue{value};
    MIXERCONTROLDETAILS request{};
    request.cbStruct = sizeof request;
    request.dwControlID = controlId_;
    request.cChannels = 1;
    request.cbDetails = sizeof unsignedValue;
    request.paDetails = &unsignedValue;
    const auto handle = reinterpret_cast<HMIXEROBJ>(mixer_);
    const DWORD flags = MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE;
    MMRESULT result = set ? mixerSetControlDetails(handle, &request, flags)
                          : mixerGetControlDetailsA(handle, &request, flags);
    value = unsignedValue.dwValue;
    return result == MMSYSERR_NOERROR;
}

uint32_t WinmmMixer::volume() {
    DWORD value = 0;
    return details(false, value) ? value : 0;
}

void WinmmMixer::setVolume(uint32_t value) {
    DWORD v = value;
    details(true, v);
}

void WinmmMixer::close() {
    if (mixer_) mixerClose(mixer_);
    mixer_ = nullptr;
    controlId_ = 0;
}

}  // namespace airvane
