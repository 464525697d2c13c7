// The page side of the viewer. Every element of class "sakuzu-figure"
// holding the figure file's text (a textarea of class "sakuzu-data")
// becomes a live figure: its picture is replaced by a canvas the reader
// drags on, with a reset button. Attributes of the element:
//   data-name    the figure's file name (messages name it)
//   data-width, data-height    the drawing area in logical pixels (640 x 480)
//   data-language    "english" for English texts (else the page's lang)
// Nothing is fetched: the figure is in the page and the engine in this
// script. Tests read element.sakuzu.state().
(function () {
  'use strict';

  var TEXTS = {
    japanese: { reset: 'リセット', failed: 'この図は表示できません。' },
    english: { reset: 'Reset', failed: 'This figure cannot be shown.' }
  };

  function whole(value, fallback, low, high) {
    var n = parseInt(value, 10);
    if (!isFinite(n)) return fallback;
    return Math.min(high, Math.max(low, n));
  }

  function isEnglish(box) {
    var setting = (box.getAttribute('data-language') || '').toLowerCase();
    if (setting) return setting.indexOf('en') === 0;
    return /^en/i.test(document.documentElement.lang || '');
  }

  function utf8(text) {
    return new TextEncoder().encode(text);
  }

  function mount(box) {
    if (box.sakuzu) return;
    var source = box.querySelector('textarea.sakuzu-data');
    if (!source) return;
    var figureText = source.value;
    var name = box.getAttribute('data-name') || 'figure.zk4';
    var width = whole(box.getAttribute('data-width'), 640, 16, 4096);
    var height = whole(box.getAttribute('data-height'), 480, 16, 4096);
    var english = isEnglish(box);
    var texts = english ? TEXTS.english : TEXTS.japanese;

    var stage = document.createElement('div');
    stage.className = 'sakuzu-stage';
    stage.style.cssText = 'position:relative;width:100%;max-width:' + width + 'px;';
    // One canvas a layer, bottom to top, shown one over the other by the
    // browser: a step draws only the layers that changed. The bottom one
    // takes the pointer and gives the stage its size.
    var layers = [];
    for (var k = 0; k < 6; ++k) {
      var layer = document.createElement('canvas');
      layer.style.cssText = k === 0 ?
          'display:block;width:100%;touch-action:none;user-select:none;' +
          '-webkit-user-select:none;aspect-ratio:' + width + '/' + height + ';' :
          'position:absolute;left:0;top:0;width:100%;height:100%;pointer-events:none;';
      layers.push(layer);
    }
    var canvas = layers[0];
    canvas.className = 'sakuzu-canvas';
    var pane = document.createElement('div');
    pane.className = 'sakuzu-pane';
    pane.style.cssText = 'position:relative;';
    for (var k = 0; k < layers.length; ++k) pane.appendChild(layers[k]);
    var message = document.createElement('div');
    message.className = 'sakuzu-message';
    message.setAttribute('role', 'alert');
    message.hidden = true;
    var bar = document.createElement('div');
    bar.className = 'sakuzu-bar';
    var reset = document.createElement('button');
    reset.type = 'button';
    reset.className = 'sakuzu-reset';
    reset.textContent = texts.reset;
    bar.appendChild(reset);
    stage.appendChild(pane);
    stage.appendChild(message);
    stage.appendChild(bar);

    var api = { ready: false, state: function () { return { ok: false }; } };
    box.sakuzu = api;

    function showMessage(text) {
      message.textContent = text;  // never markup: names come from the file
      message.hidden = false;
      pane.hidden = true;
      bar.hidden = true;
    }

    createSakuzu().then(function (M) {
      M.sakuzuLayers = layers;
      var held = false;
      var pending = null;
      var frame = 0;

      // Runs a call into the engine; a failure shows a message, never an
      // exception in the page.
      function call(work) {
        try {
          return work();
        } catch (e) {
          showMessage(texts.failed);
          return undefined;
        }
      }

      // The canvases follow the shown size and the screen's density.
      function fit() {
        var shown = canvas.getBoundingClientRect().width || width;
        var ratio = window.devicePixelRatio || 1;
        var device = Math.max(1, Math.round(shown * ratio));
        if (device === canvas.width) return;
        var deviceHeight = Math.max(1, Math.round(device * height / width));
        for (var k = 0; k < layers.length; ++k) {
          layers[k].width = device;
          layers[k].height = deviceHeight;
        }
        M.sakuzuScale = device / width;
        M.sakuzuScaledFonts.clear();
        call(function () { M._sakuzu_repaint(); });
      }

      function open() {
        var bytes = utf8(figureText);
        var nameBytes = utf8(name);
        var namePtr = M._malloc(nameBytes.length + 1);
        var dataPtr = M._malloc(bytes.length + 1);
        M.HEAPU8.set(nameBytes, namePtr);
        M.HEAPU8[namePtr + nameBytes.length] = 0;
        M.HEAPU8.set(bytes, dataPtr);
        M.sakuzuScaledFonts.clear();
        var ok = call(function () {
          return M._sakuzu_open(namePtr, dataPtr, bytes.length, width, height, english ? 1 : 0);
        });
        M._free(namePtr);
        M._free(dataPtr);
        if (!ok) {
          var state = api.state();
          showMessage(state.message || texts.failed);
        }
        return ok;
      }

      function where(event) {
        var rect = canvas.getBoundingClientRect();
        var scale = rect.width > 0 ? width / rect.width : 1;
        return { x: (event.clientX - rect.left) * scale - 0.5,
                 y: (event.clientY - rect.top) * scale - 0.5 };
      }

      function flush() {
        if (frame) {
          cancelAnimationFrame(frame);
          frame = 0;
        }
        if (!pending) return;
        var p = pending;
        pending = null;
        call(function () { M._sakuzu_pointer(1, p.x, p.y, held ? 1 : 0); });
      }

      function pointer(kind, event) {
        var p = where(event);
        flush();
        call(function () { M._sakuzu_pointer(kind, p.x, p.y, kind === 0 ? 1 : 0); });
        canvas.style.cursor = M._sakuzu_dragging() ? 'grabbing' : '';
      }

      canvas.addEventListener('pointerdown', function (event) {
        if (event.button !== 0 || held) return;
        held = true;
        try { canvas.setPointerCapture(event.pointerId); } catch (e) { /* already gone */ }
        event.preventDefault();
        pointer(0, event);
      });
      canvas.addEventListener('pointermove', function (event) {
        if (event.pointerType !== 'mouse' && !held) return;
        pending = where(event);
        if (!frame) frame = requestAnimationFrame(function () { frame = 0; flush(); });
      });
      function release(kind) {
        return function (event) {
          if (!held) return;
          held = false;
          pointer(kind, event);
        };
      }
      canvas.addEventListener('pointerup', release(2));
      canvas.addEventListener('pointercancel', release(3));
      canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });
      reset.addEventListener('click', function () {
        held = false;
        pending = null;
        open();
      });

      // The determinism check: the digest of the computed results, and
      // the scripted drag that the program's own test makes.
      api.digest = function () { return M.UTF8ToString(M._sakuzu_digest()); };
      api.scriptedDrag = function () { call(function () { M._sakuzu_scripted_drag(); }); };
      api.state = function () {
        return JSON.parse(M.UTF8ToString(M._sakuzu_state()));
      };
      // One deformation step at (x, y) in logical pixels, as a drag moves
      // there; the milliseconds it took, the drawing into the layers'
      // pixels included (reading a pixel makes the browser draw now).
      api.step = function (x, y) {
        var start = performance.now();
        call(function () { M._sakuzu_pointer(1, x, y, 1); });
        for (var k = 0; k < layers.length; ++k) layers[k].getContext('2d').getImageData(0, 0, 1, 1);
        return performance.now() - start;
      };
      // A drag move as the pointer makes it, drawn at the next frame.
      api.move = function (x, y) { call(function () { M._sakuzu_pointer(1, x, y, 1); }); };
      api.press = function (x, y) { held = true; call(function () { M._sakuzu_pointer(0, x, y, 1); }); };
      api.release = function (x, y) { held = false; call(function () { M._sakuzu_pointer(2, x, y, 0); }); };
      api.reset = function () { reset.click(); };

      source.hidden = true;
      while (box.firstChild) box.removeChild(box.firstChild);
      box.appendChild(source);
      box.appendChild(stage);
      fit();
      open();
      if (window.ResizeObserver) {
        new ResizeObserver(function () { fit(); }).observe(stage);
      } else {
        window.addEventListener('resize', fit);
      }
      api.ready = true;
      box.setAttribute('data-sakuzu-ready', api.state().ok ? 'shown' : 'refused');
    }, function () {
      if (!stage.parentNode) box.appendChild(stage);
      showMessage(texts.failed);
      box.setAttribute('data-sakuzu-ready', 'failed');
    });
  }

  function mountAll() {
    var boxes = document.querySelectorAll('.sakuzu-figure');
    for (var i = 0; i < boxes.length; ++i) mount(boxes[i]);
  }

  if (document.readyState === 'loading') {
    document.addEventListener('DOMContentLoaded', mountAll);
  } else {
    mountAll();
  }
})();
