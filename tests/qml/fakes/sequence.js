.pragma library
// One counter shared by every fake, so that a test can order calls made on
// different context objects.
var last = 0
function next() { return ++last }
