#pragma once
// Firmware update: the panel's firmware region replaced from a firmware image
// read by ReadHexFile.

#include "link/panel_protocol.h"

#include <cstddef>

constexpr char kFirmwareSuccessText[] = "Firmware written to the panel";
constexpr char kFirmwareFailText[] = "Firmware has NOT been written to panel";
constexpr char kFirmwareDowngradeText[] =
    "Are you sure you want to update the panel firmware\r\nwith a version older than the one "
    "currently in use?";
constexpr char kFirmwareDowngradeCaption[] = "Are you sure?";

// Asks the panel where its firmware region ends, stamps the firmware checksum
// into the image (which the job owns while it runs), erases the region page
// by page and programs it. A region that is not whole pages from 0x5000, is
// empty or lies beyond the image is refused before anything is erased; an
// unanswered Query writes nothing either. Shows its result message, then
// closes the progress display. Gives 1 when the firmware was written, 0 when
// not. Without an image of kFirmwareImageSize bytes nothing is sent.
int FirmwareJob(PanelSession& s, unsigned char* image, std::size_t imageSize);
