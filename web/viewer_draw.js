// The canvas side of the viewer, inside the module: each layer of the
// figure's drawing has a canvas of its own (Module.sakuzuLayers, made by
// the page script), drawn in device pixels at Module.sakuzuScale device
// pixels per logical pixel.

Module.sakuzuLayers = [];
Module.sakuzuScale = 1;
Module.sakuzuScaledFonts = new Map();

Module.sakuzuText = function (address) {
  // The fonts live as long as the canvas; texts are read each time.
  return UTF8ToString(address);
};

Module.sakuzuColor = function (packed) {
  return '#' + ('00000' + (packed | 0).toString(16)).slice(-6);
};

Module.sakuzuFont = function (address, scale) {
  var key = address + ':' + scale;
  var font = Module.sakuzuScaledFonts.get(key);
  if (font === undefined) {
    var css = UTF8ToString(address);
    font = css.replace(/(\d+(?:\.\d+)?)px/, function (all, size) {
      return (parseFloat(size) * scale).toFixed(2) + 'px';
    });
    Module.sakuzuScaledFonts.set(key, font);
  }
  return font;
};

Module.sakuzuMeasureText = function (font, text) {
  if (!Module.sakuzuMeasure) {
    Module.sakuzuMeasure = document.createElement('canvas').getContext('2d');
  }
  var ctx = Module.sakuzuMeasure;
  ctx.font = font;
  return ctx.measureText(text).width;
};

Module.sakuzuDrawLayer = function (layer, cleared, ops, count, background) {
  var canvas = Module.sakuzuLayers[layer];
  if (!canvas) return;
  var ctx = canvas.getContext('2d');
  var s = Module.sakuzuScale;
  if (cleared) {
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.clearRect(0, 0, canvas.width, canvas.height);
    if (layer === 0) {
      ctx.fillStyle = Module.sakuzuColor(background);
      ctx.fillRect(0, 0, canvas.width, canvas.height);
    }
  }
  var f = HEAPF64;
  var i = ops >> 3;
  var end = i + count;
  // Pixel centres: (0, 0) is the middle of the top-left logical pixel.
  function X(v) { return (v + 0.5) * s; }
  // A line of odd device width lies on pixel middles, an even one between.
  function snap(v, width) { return width % 2 ? Math.floor(v) + 0.5 : Math.round(v); }
  // Outlines drawn one after the other with the same pen go into one path,
  // stroked once when the pen changes or something else is drawn: the
  // browser draws a thousand moving objects as a handful of paths.
  var open = -1;  // the pen of the path being gathered, or -1
  var w = 1;
  function pen(color, width, dotted) {
    var key = color * 64 + width * 2 + (dotted ? 1 : 0);
    if (key === open) return w;
    flush();
    w = Math.max(1, Math.round(width * s));
    ctx.strokeStyle = Module.sakuzuColor(color);
    ctx.lineWidth = w;
    ctx.setLineDash(dotted ? [w, w] : []);
    ctx.lineCap = dotted ? 'butt' : 'square';
    ctx.beginPath();
    open = key;
    return w;
  }
  function flush() {
    if (open === -1) return;
    ctx.stroke();
    open = -1;
  }
  while (i < end) {
    var op = f[i];
    if (op === 1) {  // pixel
      flush();
      ctx.fillStyle = Module.sakuzuColor(f[i + 3]);
      var size = Math.max(1, Math.round(s));
      ctx.fillRect(Math.floor(X(f[i + 1]) - s / 2), Math.floor(X(f[i + 2]) - s / 2), size, size);
      i += 4;
    } else if (op === 2) {  // line
      var lw = pen(f[i + 5], f[i + 6], f[i + 7]);
      var x1 = X(f[i + 1]), y1 = X(f[i + 2]), x2 = X(f[i + 3]), y2 = X(f[i + 4]);
      if (x1 === x2) { x1 = x2 = snap(x1, lw); }
      if (y1 === y2) { y1 = y2 = snap(y1, lw); }
      ctx.moveTo(x1, y1);
      ctx.lineTo(x2, y2);
      i += 8;
    } else if (op === 3) {  // circle
      pen(f[i + 4], f[i + 5], f[i + 6]);
      var r = Math.max(0, f[i + 3] * s);
      ctx.moveTo(X(f[i + 1]) + r, X(f[i + 2]));
      ctx.arc(X(f[i + 1]), X(f[i + 2]), r, 0, 2 * Math.PI);
      i += 7;
    } else if (op === 4) {  // arc, counter-clockwise on the screen
      pen(f[i + 6], f[i + 7], f[i + 8]);
      var ar = Math.max(0, f[i + 3] * s);
      var cx = X(f[i + 1]), cy = X(f[i + 2]);
      ctx.moveTo(cx + ar * Math.cos(f[i + 4]), cy - ar * Math.sin(f[i + 4]));
      ctx.arc(cx, cy, ar, -f[i + 4], -f[i + 5], true);
      i += 9;
    } else if (op === 5) {  // polygon
      var n = f[i + 1];
      var pw = pen(f[i + 2], f[i + 3], f[i + 4]);
      for (var k = 0; k < n; ++k) {
        var px = X(f[i + 5 + 2 * k]), py = X(f[i + 6 + 2 * k]);
        var qx = X(f[i + 5 + 2 * ((k + 1) % n)]), qy = X(f[i + 6 + 2 * ((k + 1) % n)]);
        var ax = px === qx || px === X(f[i + 5 + 2 * ((k + n - 1) % n)]);
        var ay = py === qy || py === X(f[i + 6 + 2 * ((k + n - 1) % n)]);
        px = ax ? snap(px, pw) : px;
        py = ay ? snap(py, pw) : py;
        if (k === 0) ctx.moveTo(px, py); else ctx.lineTo(px, py);
      }
      ctx.closePath();
      i += 5 + 2 * n;
    } else if (op === 6) {  // filled rectangle, both corners included
      flush();
      var left = Math.min(f[i + 1], f[i + 3]), right = Math.max(f[i + 1], f[i + 3]) + 1;
      var top = Math.min(f[i + 2], f[i + 4]), bottom = Math.max(f[i + 2], f[i + 4]) + 1;
      ctx.fillStyle = Module.sakuzuColor(f[i + 5]);
      var fx = Math.round(left * s), fy = Math.round(top * s);
      ctx.fillRect(fx, fy, Math.round(right * s) - fx, Math.round(bottom * s) - fy);
      i += 6;
    } else if (op === 7) {  // text, top-left at (x, y)
      flush();
      ctx.font = Module.sakuzuFont(f[i + 4], s);
      ctx.textBaseline = 'top';
      ctx.fillStyle = Module.sakuzuColor(f[i + 3]);
      ctx.fillText(Module.sakuzuText(f[i + 5]), Math.round(f[i + 1] * s), Math.round(f[i + 2] * s));
      i += 6;
    } else {
      break;  // an unknown code: the rest cannot be read
    }
  }
  flush();
};
