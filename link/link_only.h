#pragma once

// The link's headers are for the link, the session over it, and their tests and benchmarks: the
// window and the tool reach the radio through the session only, so their builds stop here.
#ifndef ZEM_LINK_INSIDE
#error "the link is reached through the session: include session/radio_session.h or session/ports.h"
#endif
