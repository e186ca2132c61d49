#pragma once
// Shared ownership of engine objects (resource items, models, table parts). Copies and releases change the use
// and weak counts atomically; the count block is Boost's, so a SharedPtr made from a raw pointer once can be
// copied freely between threads.
#include <boost/smart_ptr/make_shared.hpp>
#include <boost/smart_ptr/shared_ptr.hpp>
#include <boost/smart_ptr/weak_ptr.hpp>

namespace quill {

template <typename T>
using SharedPtr = boost::shared_ptr<T>;

template <typename T>
using WeakPtr = boost::weak_ptr<T>;

using boost::dynamic_pointer_cast;
using boost::make_shared;
using boost::static_pointer_cast;

}  // namespace quill
