#pragma once

struct ViewHost;

// The window leaves zoom mode whole: the whole picture, the scroll bars and
// the zoom tool all go.
void LeaveZoom(const ViewHost& host);

// Images switched off in the monitor or service panel: the picture goes back
// to the placeholder, unzoomed, without code boxes (they belong to the
// picture), and the zoom buttons go off.
void ShowPlaceholderPicture(const ViewHost& host);
