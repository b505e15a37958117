// Runs inside the game's JavaScript, before the game: the player's home folder,
// where the game keeps its options, best scores and best replay, lives in the
// browser's IndexedDB, so that it outlasts the page. The game stores it after
// each file it saves or removes there (FileReplaceWeb.cpp, FileRemoveWeb.cpp);
// the page waits for the stores before it reloads.
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

  Module['zfStorePlayerFiles'] = function() {
    if (syncing) {
      syncAgain = true;
      return;
    }
    syncing = true;
    FS.syncfs(false, finishedSync);
  };

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
      removeRunDependency('zorbak-saves');
    });
  });
})();
