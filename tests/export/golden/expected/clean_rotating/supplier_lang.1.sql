INSERT INTO `ps_supplier_lang` (`id_supplier`,`id_lang`) VALUES (1,1),(2,1),(3,1);
INSERT INTO `ps_supplier_lang` (`id_supplier`,`id_lang`) VALUES (4,1),(6,1);
