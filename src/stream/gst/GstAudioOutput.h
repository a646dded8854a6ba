// The player's audio output: conversion to interleaved stereo, then volume and
// balance as exact channel gains applied right before the sink, so that a change
// is heard at once and full gain costs nothing. Implementation files only.
#pragma once

#include <gst/gst.h>

#include <atomic>
#include <memory>

// Linear amplitudes, read by the streaming thread for every buffer.
struct ChannelGains
{
    std::atomic<float> left{1.0f};
    std::atomic<float> right{1.0f};
    std::atomic<bool> isFloat{true}; // the negotiated sample format
};

namespace GstAudioOutput {

// A bin "audioconvert ! audioresample ! stereo F32/S16 ! output" applying gains.
// Takes the floating reference of output; nullptr when an element is missing.
GstElement* wrap(GstElement* output, const std::shared_ptr<ChannelGains>& gains);

} // namespace GstAudioOutput
