// Puts the module and the pages' parts together:
//   node assemble.mjs MODULE SOURCE OUT VERSION FIGURE...
// sakuzu_viewer.js is the module with the lesson page's script behind it;
// sakuzu.html holds the module, the shipped figures, the program's script
// and style in one file; the service worker and the manifest go beside it.
import fs from 'node:fs';
import path from 'node:path';

const [module, source, out, version, ...figures] = process.argv.slice(2);
const read = (name) => fs.readFileSync(path.join(source, name), 'utf8');
// The program's icon, inside the page and the manifest.
const icon = 'data:image/svg+xml;base64,' +
    fs.readFileSync(path.join(source, '..', 'desktop', 'sakuzu.svg')).toString('base64');
const moduleText = fs.readFileSync(module, 'utf8');

fs.writeFileSync(path.join(out, 'sakuzu_viewer.js'), moduleText + '\n' + read('viewer_page.js'));

// The figures as they are on the disk, file name to base64.
const shipped = {};
for (const figure of figures.sort()) {
  shipped[path.basename(figure)] = fs.readFileSync(figure).toString('base64');
}
const scripts = [
  moduleText,
  'var sakuzuVersion = ' + JSON.stringify(version) + ';',
  'var sakuzuFigures = ' + JSON.stringify(shipped) + ';',
  read('program_page.js'),
].join('\n');
// Inline scripts end at the first "</script": none may hold one.
if (/<\/script/i.test(scripts)) throw new Error('an inline script holds </script');
const page = read('program.html')
  .replace('/*STYLE*/', () => read('program.css'))
  .replace('/*SCRIPT*/', () => scripts)
  .replaceAll('@VERSION@', version)
  .replace('@ICON@', icon);
fs.writeFileSync(path.join(out, 'sakuzu.html'), page);
fs.writeFileSync(path.join(out, 'sakuzu-sw.js'), read('program_sw.js').replaceAll('@VERSION@', version));
fs.writeFileSync(path.join(out, 'sakuzu.webmanifest'), read('program.webmanifest').replace('@ICON@', icon));
