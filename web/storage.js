// Runs inside the game's JavaScript, before the game: the player's home folder,
// where the game keeps its options, best scores and best replay, lives in the
// browser's IndexedDB, so that it outlasts the page. Every save of a file ends
// by renaming it into place (or removing it); each such change is stored at
// once, and the page waits for the stores before it reloads. (Emscripten's own
// hooks for file changes exist only in its debugging builds.)
'use strict';

(function() {
  var HOME = '/home/web_user';  // Emscripten's $HOME
  var syncing = false;
  var syncAgain = false;
  var waiting = [];

  function finishedSync(error) {
    if (error) {
      console.warn('The saved games could not be stored in the browser: ' + error);
    }
    if (syncAgain) {
      syncAgain = false;
      FS.syncfs(false, finishedSync);
      return;
    }
    syncing = false;
    var callbacks = waiting;
    waiting = [];
    callbacks.forEach(function(callback) { callback(); });
  }

  function store() {
    if (syncing) {
      syncAgain = true;
      return;
    }
    syncing = true;
    FS.syncfs(false, finishedSync);
  }

  function underHome(path) {
    var full = PATH_FS.resolve(path);
    return full === HOME || full.indexOf(HOME + '/') === 0;
  }

  // The file system's own rename or unlink (which the C library's calls end in),
  // followed by a store when the path lies in the home folder.
  function storeAfter(name, pathArgument) {
    var original = FS[name];
    FS[name] = function() {
      var result = original.apply(FS, arguments);
      if (underHome(arguments[pathArgument])) {
        store();
      }
      return result;
    };
  }

  // Calls back once every change so far is stored.
  Module['zfWhenSaved'] = function(callback) {
    if (syncing) {
      waiting.push(callback);
    } else {
      callback();
    }
  };

  Module['preRun'] = Module['preRun'] || [];
  Module['preRun'].push(function() {
    FS.mount(IDBFS, {}, HOME);
    addRunDependency('zorbak-saves');
    FS.syncfs(true, function(error) {
      if (error) {
        console.warn('The saved games could not be read from the browser: ' + error);
      }
      storeAfter('rename', 1);
      storeAfter('unlink', 0);
      removeRunDependency('zorbak-saves');
    });
  });
})();
