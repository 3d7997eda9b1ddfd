// The non-visual classes of the class library in one include: lists, string lists, streams,
// persistent objects, components, collections and the class registry.
#pragma once

#include "classlib/Components.h"
#include "classlib/Lists.h"
#include "classlib/Sets.h"
#include "classlib/Streams.h"
#include "classlib/StringLists.h"
