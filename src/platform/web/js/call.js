// Runs one operation of a script library (the page access library, the
// editor's document library) in the program's own script world. The C++
// side puts the request (a JSON object) and the library's name in place of
// the placeholders below. When the library is not yet installed in this
// document the answer says so, and the caller installs it and asks again.
(function (request, library) {
    'use strict';
    const access = window[library];
    if (typeof access === 'undefined')
        return '{"ok":false,"missing":true}';
    return access.run(request);
})(/*request*/null, /*library*/"");
