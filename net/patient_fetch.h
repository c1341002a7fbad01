// The patient fetch of a web page (a listing page or a datasheet): retries
// empty, busy and error answers on a growing schedule of waits before it
// gives up.
#ifndef VELMORA_NET_PATIENT_FETCH_H
#define VELMORA_NET_PATIENT_FETCH_H

#include <string>

#include "core/edges.h"

namespace velmora {

// Why an attempt's answer is no usable page, in words for a user: its
// failure ("connection refused", "timed out", "HTTP 503", "empty answer",
// ...), else "HTTP N" for a status of 400 or above, else "empty answer" for
// an empty body, with "Server Too Busy" added when the page says so; empty
// for a usable page.
std::string AttemptFailure(const PageAnswer& answer);

// Why the last attempt at `host` failed, for a user: "connection refused by
// HOST", "could not resolve host HOST", "timed out waiting for HOST", else the
// failure and "from HOST" ("HTTP 503 Server Too Busy from HOST").
std::string FailureCause(const std::string& failure, const std::string& host);

// True when the host answers that it wants a sign-in first (HTTP 401, 403,
// 407, or 511 from a captive portal).
bool AsksForSignIn(const PageAnswer& answer);

// True for an answer that is no source's page whatever it holds, and that
// another attempt would bring again: one too large to read
// (PageAnswer::too_large), or one that asks for a sign-in.
bool IsWall(const PageAnswer& answer);

// The answer of the first usable attempt for TheURL. An attempt fails when
// its body is empty, holds "Server Too Busy" (whatever the status) or comes
// with an HTTP status of 400 or above; a wall (IsWall) comes back at once, as
// it came. After at most 29 failed attempts: an answer with the empty body
// whose `failure` tells why the last attempt failed. Never shows a message.
PageAnswer PatientFetch(const std::string& TheURL, PageSource& pages, const Pacing& pacing);

}  // namespace velmora

#endif
