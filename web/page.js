// The page around the game: its launcher (filled in and read back by the game,
// src/platform/LauncherWeb.cpp), the canvas the game draws on, full screen,
// and the way back to the launcher when a game ends.
'use strict';

(function() {
  var byId = function(id) { return document.getElementById(id); };
  var status = byId('status');
  var launcher = byId('launcher');
  var game = byId('game');
  var canvas = byId('canvas');
  var controls = {
    resolution: byId('resolution'),
    windowed: byId('windowed'),
    lights: byId('lights'),
    music: byId('music'),
    joystick: byId('joystick'),
    hiQualTex: byId('hiqtexture')
  };
  var outcome = 0;  // 0 waiting, 1 Start, 2 Watch: as LauncherWeb.cpp reads it
  var leaving = false;
  var canvasSize = null;

  function setStatus(text) {
    status.textContent = text;
    status.hidden = text === '';
  }

  function drawSplash(splash) {
    if (!splash) {
      return;
    }
    var picture = byId('splash');
    var scratch = document.createElement('canvas');
    scratch.width = splash.width;
    scratch.height = splash.height;
    var context = scratch.getContext('2d');
    var image = context.createImageData(splash.width, splash.height);
    for (var pixel = 0, count = splash.width * splash.height; pixel < count; ++pixel) {
      image.data[4 * pixel] = splash.rgb[3 * pixel];
      image.data[4 * pixel + 1] = splash.rgb[3 * pixel + 1];
      image.data[4 * pixel + 2] = splash.rgb[3 * pixel + 2];
      image.data[4 * pixel + 3] = 255;
    }
    context.putImageData(image, 0, 0);
    picture.getContext('2d').drawImage(scratch, 0, 0, picture.width, picture.height);
  }

  // The canvas keeps the chosen resolution; on the whole screen it is shown as
  // large as fits, its proportions kept.
  function fitCanvas() {
    if (!canvasSize) {
      return;
    }
    var scale = 1;
    if (document.fullscreenElement === game) {
      scale = Math.min(window.innerWidth / canvasSize.width, window.innerHeight / canvasSize.height);
    }
    canvas.style.width = Math.floor(canvasSize.width * scale) + 'px';
    canvas.style.height = Math.floor(canvasSize.height * scale) + 'px';
  }

  function setFullScreen(wanted) {
    if (wanted && !document.fullscreenElement && game.requestFullscreen) {
      game.requestFullscreen().catch(function(error) {
        console.warn('Full screen was refused: ' + error.message);
      });
    } else if (!wanted && document.fullscreenElement && document.exitFullscreen) {
      document.exitFullscreen().catch(function() {});
    }
  }

  function press(which) {
    if (outcome !== 0) {
      return;
    }
    outcome = which === 'watch' ? 2 : 1;
    launcher.hidden = true;
    setStatus('Starting…');
    game.hidden = false;
    // Only a click or a key grants full screen: asked here, in the player's own
    // event, not later when the game opens its picture.
    if (which !== 'pad' && !controls.windowed.checked) {
      setFullScreen(true);
    }
    canvas.focus();
  }

  // Back to the launcher once what the game saved is stored for good: the page
  // starts again as it did, with the new best score.
  function returnToLauncher() {
    if (leaving) {
      return;
    }
    leaving = true;
    setFullScreen(false);
    game.hidden = true;
    setStatus('Saving…');
    Module['zfWhenSaved'](function() { location.reload(); });
  }

  byId('start').addEventListener('click', function() { press('start'); });
  byId('watch').addEventListener('click', function() { press('watch'); });
  document.addEventListener('keydown', function(event) {
    if (event.key === 'Enter' && !launcher.hidden && outcome === 0 && event.target.tagName !== 'BUTTON') {
      event.preventDefault();
      press('start');
    }
  });
  // A box the game shows (alert, confirm) takes the window's focus and gives it
  // back, but the browser tells the page only once the game's code has
  // returned, when the game would take it for the player leaving and pause.
  // These listeners come before the game's own and keep one blur and one focus
  // from it for each box; any key or click of the player's ends the wait.
  var boxFocusChanges = 0;
  window.addEventListener('blur', function(event) {
    if (event.target === window && boxFocusChanges > 0) {
      event.stopImmediatePropagation();
    }
  });
  window.addEventListener('focus', function(event) {
    if (event.target === window && boxFocusChanges > 0) {
      event.stopImmediatePropagation();
      --boxFocusChanges;
    }
  });
  ['keydown', 'mousedown'].forEach(function(name) {
    window.addEventListener(name, function() { boxFocusChanges = 0; }, true);
  });
  document.addEventListener('fullscreenchange', fitCanvas);
  window.addEventListener('resize', fitCanvas);
  // Back from the browser's page cache the game has ended: start afresh.
  // The page is going: the game saves there and then (EndSignalsWeb.cpp), and
  // nothing is to be reloaded.
  window.addEventListener('pagehide', function() { leaving = true; });
  window.addEventListener('pageshow', function(event) {
    if (event.persisted) {
      location.reload();
    }
  });

  window.Module = {
    canvas: canvas,
    print: function(text) { console.log(text); },
    printErr: function(text) { console.warn(text); },
    setStatus: function(text) {
      if (text && launcher.hidden && game.hidden) {
        setStatus(text);
      }
    },
    onAbort: function(what) {
      setStatus('The game stopped: ' + what + '. Reload the page to start again.');
    },
    // The game's start failed (it said why in a message box): the launcher again.
    onExit: function() { returnToLauncher(); },
    zfLauncher: {
      show: function(state) {
        document.title = state.title || document.title;
        controls.resolution.value = state.resolution >= 0 ? String(state.resolution) : '';
        controls.windowed.checked = state.windowed;
        controls.lights.checked = state.lights;
        controls.music.checked = state.music;
        controls.joystick.checked = state.joystick;
        controls.hiQualTex.checked = state.hiQualTex;
        byId('best-score').textContent = state.bestScore;
        byId('watch').hidden = !state.bestReplayThere;
        // A short warning after them (no sound device, say), its tip saying more.
        byId('warning').textContent = state.warning || '';
        byId('warning').title = state.warningTip || '';
        drawSplash(state.splash);
        setStatus('');
        outcome = 0;
        launcher.hidden = false;
        byId('start').focus();
      },
      outcome: function() { return outcome; },
      choices: function() {
        return {
          resolution: controls.resolution.value === '' ? -1 : Number(controls.resolution.value),
          windowed: controls.windowed.checked,
          lights: controls.lights.checked,
          music: controls.music.checked,
          joystick: controls.joystick.checked,
          hiQualTex: controls.hiQualTex.checked
        };
      },
      press: press
    },
    zfWindowOpened: function(width, height) {
      canvasSize = {width: width, height: height};
      fitCanvas();
      setStatus('');
      game.hidden = false;
      canvas.focus();
    },
    zfSetFullScreen: setFullScreen,
    zfBoxShown: function() { ++boxFocusChanges; },
    zfRunEnded: returnToLauncher
  };
})();
